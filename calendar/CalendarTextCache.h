#pragma once
// The fonts the calendar paints with and what it measured of its texts, kept from one paint
// to the next. Laying a text out to measure it costs Pango as much as drawing it, and the
// same subjects, times and captions come back in every paint, so each text is measured once
// per font (and cut to a width once per width). Entries are keyed by the text itself, so an
// edited subject is simply a new entry; everything is forgotten when the window's font
// changes, and when the entries grow past a bound, between paints.
//
// Measures hold for one kind of device: a printed page measures with a cache of its own.
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

#include <array>
#include <string>
#include <unordered_map>

class wxDC;

class CCalendarTextCache {
public:
    // The window's font, its bold face, and the small and large faces of the hour captions.
    enum Face { kNormal, kBold, kSmall, kLarge, kFaceCount };
    // A text as drawn: converted for the toolkit, with its extent in one face.
    struct Measured {
        wxString text;
        wxSize extent;
    };

    // Called before each paint: takes the window's font (forgetting every measure when it is
    // another font) and forgets the measures once they grow past the bound.
    void BeginPaint(const wxFont& windowFont);

    const wxFont& GetFont(Face face) const { return m_fonts[face]; }
    // Selects the face and the text colour on `dc` where they are not selected already.
    void Select(wxDC& dc, Face face, const wxColour& colour);
    // The height of a line of the face.
    int CharHeight(wxDC& dc, Face face);
    // `text` (UTF-8) measured in the face; the reference lasts until the next BeginPaint.
    const Measured& Measure(wxDC& dc, Face face, const std::string& text);
    // `text` cut at the end with an ellipsis to fit `width`, as wxControl::Ellipsize cuts it.
    const wxString& Ellipsized(wxDC& dc, Face face, const std::string& text, int width);
    // Draws with the font and colour selected on `dc`.
    static void DrawText(wxDC& dc, const wxString& text, int x, int y);

private:
    struct CutKey {
        std::string text;
        int width = 0;
        bool operator==(const CutKey& other) const {
            return width == other.width && text == other.text;
        }
    };
    struct CutKeyHash {
        size_t operator()(const CutKey& key) const {
            return std::hash<std::string>()(key.text) ^ (static_cast<size_t>(key.width) << 1);
        }
    };
    struct FaceMeasures {
        int charHeight = -1;
        std::unordered_map<std::string, Measured> texts;
        std::unordered_map<CutKey, wxString, CutKeyHash> cuts;
    };

    void UseFace(wxDC& dc, Face face);
    size_t GetMeasuredCount() const;
    void Forget();

    wxFont m_windowFont;
    std::array<wxFont, kFaceCount> m_fonts;
    std::array<FaceMeasures, kFaceCount> m_measures;
};
