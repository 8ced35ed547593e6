// Calls one message box as the program would and reports what came back, so
// the tests can watch the box policy from outside the process.
#include <cstdio>
#include <iostream>
#include <string>

#include "g_messages.h"

int main(int argc, char** argv) {
  std::string kind = argc > 1 ? argv[1] : "";
  std::string text = argc > 2 ? argv[2] : "";
  if (kind == "message") {
    fl_show_Smessages(text);
    std::cerr << text << std::endl;  // the callers' copy
  } else if (kind == "notice") {
    fl_show_Snotice(text);
  } else if (kind == "alert") {
    fl_show_Salert(text);
  } else if (kind == "question") {
    std::cout << "question=" << fl_show_Squestion(text) << std::endl;
  } else if (kind == "input") {
    std::cout << "input=[" << fl_show_Sinput(text, "init") << "]" << std::endl;
  } else if (kind == "big") {
    fl_show_Sbigmessages(text, 80);
  } else if (kind == "about") {
    fl_show_ms();
  } else {
    std::cerr << "usage: box_probe message|notice|alert|question|input|big|about TEXT" << std::endl;
    return 2;
  }
  std::cout << "after" << std::endl;
  return 0;
}
