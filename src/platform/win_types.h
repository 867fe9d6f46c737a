// Windows types, handle values, error codes and flags as the program uses them.
//
// The names are camel-cased with a k prefix rather than the Windows spelling
// because <windows.h> defines its own spellings as macros, and the Win32
// realisation includes both.
#pragma once

#include <cstdint>

namespace vb::win {

using DWORD = std::uint32_t;
using LONG = std::int32_t;
using BYTE = std::uint8_t;
using HRESULT = std::int32_t;

// A registry key handle. The predefined roots are the sign-extended 32-bit
// values, exactly as Windows defines them, so a root kept as a 32-bit signed
// number (the way the program stores it) converts to a handle and back.
using HKEY = std::intptr_t;

constexpr HKEY RootHandle(std::uint32_t value) {
  return static_cast<HKEY>(static_cast<std::int32_t>(value));
}

inline constexpr HKEY kHkeyClassesRoot = RootHandle(0x80000000u);
inline constexpr HKEY kHkeyCurrentUser = RootHandle(0x80000001u);
inline constexpr HKEY kHkeyLocalMachine = RootHandle(0x80000002u);
inline constexpr HKEY kHkeyUsers = RootHandle(0x80000003u);

// Error codes.
inline constexpr LONG kErrorSuccess = 0;
inline constexpr LONG kErrorFileNotFound = 2;
inline constexpr LONG kErrorPathNotFound = 3;
inline constexpr LONG kErrorAccessDenied = 5;
inline constexpr LONG kErrorInvalidHandle = 6;
inline constexpr LONG kErrorNotEnoughMemory = 8;
inline constexpr LONG kErrorInvalidData = 13;
inline constexpr LONG kErrorNoMoreFiles = 18;
inline constexpr LONG kErrorSharingViolation = 32;
inline constexpr LONG kErrorNotSupported = 50;
inline constexpr LONG kErrorFileExists = 80;
inline constexpr LONG kErrorInvalidParameter = 87;
inline constexpr LONG kErrorDiskFull = 112;
inline constexpr LONG kErrorInsufficientBuffer = 122;
inline constexpr LONG kErrorInvalidName = 123;
inline constexpr LONG kErrorDirNotEmpty = 145;
inline constexpr LONG kErrorBadPathname = 161;
inline constexpr LONG kErrorBusy = 170;
inline constexpr LONG kErrorAlreadyExists = 183;
inline constexpr LONG kErrorMoreData = 234;
inline constexpr LONG kErrorNoMoreItems = 259;
inline constexpr LONG kErrorDirectory = 267;
inline constexpr LONG kErrorKeyDeleted = 1018;

inline constexpr HRESULT kSOk = 0;
inline constexpr HRESULT kEFail = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT kEInvalidArg = static_cast<HRESULT>(0x80070057u);

// Registry value types.
inline constexpr DWORD kRegNone = 0;
inline constexpr DWORD kRegSz = 1;
inline constexpr DWORD kRegExpandSz = 2;
inline constexpr DWORD kRegBinary = 3;
inline constexpr DWORD kRegDword = 4;
inline constexpr DWORD kRegDwordBigEndian = 5;
inline constexpr DWORD kRegMultiSz = 7;

// Registry access rights.
inline constexpr DWORD kKeyQueryValue = 0x0001;
inline constexpr DWORD kKeySetValue = 0x0002;
inline constexpr DWORD kKeyCreateSubKey = 0x0004;
inline constexpr DWORD kKeyEnumerateSubKeys = 0x0008;
inline constexpr DWORD kKeyNotify = 0x0010;
inline constexpr DWORD kKeyCreateLink = 0x0020;
inline constexpr DWORD kDelete = 0x00010000;
inline constexpr DWORD kReadControl = 0x00020000;
inline constexpr DWORD kWriteDac = 0x00040000;
inline constexpr DWORD kWriteOwner = 0x00080000;
inline constexpr DWORD kMaximumAllowed = 0x02000000;
inline constexpr DWORD kKeyRead = 0x00020019;
inline constexpr DWORD kKeyWrite = 0x00020006;
inline constexpr DWORD kKeyAllAccess = 0x000F003F;

inline constexpr DWORD kRegCreatedNewKey = 1;
inline constexpr DWORD kRegOpenedExistingKey = 2;

// File attributes.
inline constexpr DWORD kFileAttributeReadonly = 0x01;
inline constexpr DWORD kFileAttributeHidden = 0x02;
inline constexpr DWORD kFileAttributeSystem = 0x04;
inline constexpr DWORD kFileAttributeDirectory = 0x10;
inline constexpr DWORD kFileAttributeArchive = 0x20;
inline constexpr DWORD kFileAttributeNormal = 0x80;
inline constexpr DWORD kFileAttributeReparsePoint = 0x400;
inline constexpr DWORD kInvalidFileAttributes = 0xFFFFFFFFu;

// URL cache entry types.
inline constexpr DWORD kNormalCacheEntry = 0x00000001;
inline constexpr DWORD kCookieCacheEntry = 0x00100000;
inline constexpr DWORD kUrlHistoryCacheEntry = 0x00200000;

// Message box styles and answers.
inline constexpr DWORD kMbOk = 0x00;
inline constexpr DWORD kMbOkCancel = 0x01;
inline constexpr DWORD kMbYesNoCancel = 0x03;
inline constexpr DWORD kMbYesNo = 0x04;
inline constexpr DWORD kMbTypeMask = 0x0F;  // the buttons
inline constexpr DWORD kMbIconExclamation = 0x30;
inline constexpr DWORD kMbIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Recycle Bin emptying flags.
inline constexpr DWORD kSherbNoConfirmation = 0x1;
inline constexpr DWORD kSherbNoProgressUi = 0x2;
inline constexpr DWORD kSherbNoSound = 0x4;

}  // namespace vb::win
