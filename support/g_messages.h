// Message boxes through which errors, warnings and questions reach the user.
// Without an X display the boxes return at once (a question answers No, an
// input answers Cancel); texts that nobody else copies to the standard error
// stream are written there instead, so that nothing is lost.
#ifndef TARVEK_G_MESSAGES_H
#define TARVEK_G_MESSAGES_H

#include <string>

// The box of every error and warning; the caller copies the text to the
// standard error stream itself.
void fl_show_Smessages(const std::string& text);
// A reported message: the box first, then, once it is closed, the same text
// and a line end on the standard error stream.
void signale_message(const std::string& text);
// A reported user error: the message, then the end of the run with code 1.
[[noreturn]] void arrete_sur_message(const std::string& text);
// A notice shown in the box only: without a display it goes to the
// standard error stream instead.
void fl_show_Snotice(const std::string& text);
void fl_show_Salert(const std::string& text);
int fl_show_Squestion(const std::string& text, int unused = 0);
std::string fl_show_Sinput(const std::string& question, const std::string& initial);
void fl_show_Sbigmessages(const std::string& text, int width);
void fl_show_ms();

#endif
