// vanbrisk.exe: the program with its native window.
#include <windows.h>

#include "app/program.h"
#include "platform/win32/win32_platform.h"
#include "win32app/renderer.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  vb::win32::Win32Platform platform;
  vb::app::Program program(platform);
  vb::win32app::Renderer renderer(instance, program);
  // "/AUTO" alone is quiet mode: loading cleans and ends, and no window opens.
  program.Start(commandLine ? commandLine : "");
  if (!program.Running()) return 0;
  return renderer.Run();
}
