#pragma once

// The first log's fixed place on the device; the platform maps it to a host path.
inline constexpr char16_t kLogDevicePath[] = u"\\SD Storage\\Tarvo\\Tarvo.csv";
