#pragma once

#include <string>

// The first log's fixed place on the device.
inline constexpr char16_t kLogDevicePath[] = u"\\SD Storage\\Tarvo\\Tarvo.csv";

// The first log's place on this host: the device path mapped through Tarvo's storage card,
// the folder TARVO_STORAGE names, or Tarvo's folder in the user's data folder.
std::string LogPath();

struct LockHolder;

// "\"<log>\" is open in another Tarvo window (process 1234 on host x).": what a window or the
// command line says when another process holds the log's lock.
std::string OpenElsewhere(const std::string& logPath, const LockHolder& holder);
