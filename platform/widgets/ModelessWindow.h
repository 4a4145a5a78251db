#pragma once
// Modeless windows that stay usable while a modal dialog runs, such as a progress window
// that a modal dialog opens for a long operation.
//
// A modal dialog takes the user's input for its whole window group: clicks and keys on any
// other window of the group never arrive, even on a window opened after the dialog. A window
// given a group of its own keeps receiving them.
class wxTopLevelWindow;

namespace tev {

void AllowInputDuringModal(wxTopLevelWindow* window);

} // namespace tev
