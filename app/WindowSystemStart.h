#pragma once

// The editor's window needs a window system. When Qt cannot reach one (no
// DISPLAY, or a DISPLAY whose server does not answer) it would print a page
// of advice and abort with a core dump; the editor says so in one line
// instead and exits with status 1.
//
// Watch() goes right before the QApplication is made, Done() right after:
// in between, Qt's messages are held back, and given on unchanged when the
// application did start.
namespace WindowSystemStart {

void Watch();
void Done();

} // namespace WindowSystemStart
