#include "platform/widgets/WindowImage.h"

#include <gtk/gtk.h>
#include <wx/window.h>

namespace tev {

bool SaveWindowImage(wxWindow* window, const std::string& pngPath) {
    GtkWidget* widget = window ? window->GetHandle() : nullptr;
    if (!widget)
        return false;
    const int width = gtk_widget_get_allocated_width(widget);
    const int height = gtk_widget_get_allocated_height(widget);
    if (width <= 1 || height <= 1)
        return false;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* context = cairo_create(surface);
    gtk_widget_draw(widget, context);
    cairo_destroy(context);
    const bool written =
        cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return written;
}

} // namespace tev
