// File names and directories. Only '/' separates the components of a path.
#ifndef TARVEK_STRINGPATH_H
#define TARVEK_STRINGPATH_H

#include <string>

std::string extract_filename_name(const std::string& path);
std::string extract_filename_path(const std::string& path);
std::string supress_filename_extension(const std::string& path);
// Forward slashes only; empty when the system cannot give the directory or
// it needs more than 1024 characters.
std::string my_current_directory();
// The path that leads from base (the current directory when empty) to
// target, with three trace lines on the standard error stream.
std::string relative_directory_path(const std::string& target, const std::string& base);

#endif
