#pragma once

namespace suma {

// The converted text must still be there to paste after the window has closed. Call it once the
// event loop has ended, while the application object still exists. On X11 the clipboard's text
// lives in the program that put it there; when this program still owns the clipboard (as the
// X server says) and no clipboard manager is running to take it over at exit, a small detached
// process of the program's own (suma-zodziais-clipboard) takes the text and serves it on the
// same display until anything else owns the clipboard or the display goes away. This returns
// once that process owns the clipboard or has given up, so there is no moment with nothing to
// paste.
void keepClipboardAfterExit();

} // namespace suma
