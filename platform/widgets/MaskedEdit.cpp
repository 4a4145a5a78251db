#include "platform/widgets/MaskedEdit.h"

#include <gtk/gtk.h>

namespace tev {
namespace {

// A single-line wxTextCtrl is a GtkEntry; anything else is left alone.
GtkEntry* EntryOf(const wxTextCtrl* edit) {
    GtkWidget* widget = edit ? edit->GetHandle() : nullptr;
    return widget && GTK_IS_ENTRY(widget) ? GTK_ENTRY(widget) : nullptr;
}

} // namespace

MaskedEdit::MaskedEdit(wxWindow* parent, wxWindowID id, const wxString& value, long style)
    : wxTextCtrl(parent, id, value, wxDefaultPosition, wxDefaultSize,
                 style & ~(wxTE_MULTILINE | wxTE_PASSWORD)) {
    SetMasked(true);
}

void MaskedEdit::SetMasked(bool masked) {
    if (GtkEntry* entry = EntryOf(this)) {
        gtk_entry_set_invisible_char(entry, static_cast<gunichar>(kMaskChar));
        gtk_entry_set_visibility(entry, masked ? FALSE : TRUE);
    }
}

bool MaskedEdit::IsMasked() const {
    GtkEntry* entry = EntryOf(this);
    return entry && !gtk_entry_get_visibility(entry);
}

} // namespace tev
