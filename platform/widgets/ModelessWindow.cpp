#include "platform/widgets/ModelessWindow.h"

#include <gtk/gtk.h>
#include <wx/toplevel.h>

namespace tev {

void AllowInputDuringModal(wxTopLevelWindow* window) {
    GtkWidget* widget = window ? window->GetHandle() : nullptr;
    if (!widget || !GTK_IS_WINDOW(widget))
        return;
    GtkWindowGroup* group = gtk_window_group_new();
    gtk_window_group_add_window(group, GTK_WINDOW(widget));
    g_object_unref(group); // the window keeps its group alive
}

} // namespace tev
