#pragma once

// The settings file and whole-file writes of the system the tests run on: the Linux
// implementations, or on Windows the private-profile functions themselves.
#ifdef _WIN32
#include "platform/windows/windows_files.h"
#include "platform/windows/windows_profile.h"
namespace lumi::test {
using NativeProfile = platform::windows_backend::WindowsProfile;
using NativeFiles = platform::windows_backend::WindowsFiles;
}  // namespace lumi::test
#else
#include "platform/linux/ini_profile.h"
#include "platform/linux/linux_files.h"
namespace lumi::test {
using NativeProfile = platform::linux_backend::IniProfile;
using NativeFiles = platform::linux_backend::LinuxFiles;
}  // namespace lumi::test
#endif
