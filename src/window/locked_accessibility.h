#pragma once

namespace kivo {

// Makes the locked controls as locked for assistive technologies (a screen reader, an
// automation tool over the accessibility bus) as they are for the mouse and the keyboard. Qt's
// own accessible check box toggles whatever its action is asked, and its line edit takes text
// inserted, deleted or set even when read-only. Here the locked check box offers no toggle, and a
// read-only box offers its text to read, select and follow, but no editing. Names, roles, values
// and the checked state read as before. Installs once; later calls do nothing.
void installLockedAccessibility();

} // namespace kivo
