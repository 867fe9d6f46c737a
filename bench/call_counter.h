// The file-system calls counted so far by the wrapper linked into the
// benchmark (call_counter.cpp).
#pragma once

long FileSystemCalls();
