#pragma once

#include <string>

// Kill points in the file-system calls of the log core. This test program is linked with the
// core's calls to these functions wrapped (ld --wrap, see CMakeLists.txt), so production code
// carries no hooks. While armed, every wrapped call passes a point before it and one after it,
// and a write also a point halfway through its bytes; the process dies by SIGKILL at the armed
// point, the way a crash or `kill -9` would end it there, after telling the point's name.
//
// Unarmed, the wrappers only pass the calls on. kill_points.cpp defines a wrapper for each call
// that CMakeLists.txt wraps.

// Arms this process to die at point `point` (1 is the first point passed from now on), first
// writing the point's name and a line feed to `reportFd`.
void ArmKillPoint(int point, int reportFd);
