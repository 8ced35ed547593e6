// Names, directories and extensions of paths, the current directory and the
// relative path between two directories.
#include "Stringpath.h"

#include <iostream>

#include "Stringexp.h"
#include "Stringpp.h"
#include "g_platform.h"

std::string extract_filename_name(const std::string& path) {
  size_t at = path.rfind('/');
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string extract_filename_path(const std::string& path) {
  size_t at = path.rfind('/');
  if (at == std::string::npos) return ".";
  if (at == 0) return "/";
  return path.substr(0, at);
}

std::string supress_filename_extension(const std::string& path) {
  size_t barre = path.rfind('/');
  size_t point = path.rfind('.');
  if (point == std::string::npos || (barre != std::string::npos && point < barre)) return path;
  if (point + 1 == path.size()) return path.substr(0, point);
  // A backslash after the full stop makes it part of a directory name.
  if (path.find('\\', point + 1) != std::string::npos) return path;
  if (point == 0) return std::string();
  if (path[point - 1] == '.') return path;
  return path.substr(0, point);
}

std::string my_current_directory() { return substitute_char(g_current_directory(1024), '\\', '/'); }

// One ".." per component of the rest of the base.
static std::string remontee(const std::string& b) {
  if (b.empty()) return std::string();
  std::string r;
  for (int i = char_occurences(b, '/'); i > 0; --i) r += "../";
  return r + "..";
}

std::string relative_directory_path(const std::string& target, const std::string& base) {
  std::string b0 = base.empty() ? my_current_directory() : base;
  std::cerr << "demarrage " << target << "|" << b0 << std::endl;
  std::string result = ".";
  if (target != b0) {
    // Drop the leading components the two paths share. When both run out
    // together (they differ only by a trailing '/') the paths lead to the
    // same place: the result stays ".".
    std::string t = target, b = b0;
    bool meme_endroit = false;
    for (;;) {
      if (t.empty() && b.empty()) {
        meme_endroit = true;
        break;
      }
      std::string reste_t, reste_b;
      std::string ct = next_record(t, '/', reste_t), cb = next_record(b, '/', reste_b);
      if (ct != cb) break;
      t = reste_t;
      b = reste_b;
    }
    std::cerr << "intermediaire: " << t << "|" << b << std::endl;
    if (!meme_endroit) {
      if (t == target && (target.empty() || target[0] != '/'))
        result = target;
      else if (t.empty())
        result = remontee(b);
      else if (b.empty())
        result = t;
      else
        result = remontee(b) + "/" + t;
    }
  }
  std::cerr << "--> " << result << std::endl;
  return result;
}
