// The view's "Import Events..." and "Export Events..." commands: the file dialogs and the
// messages around the window-free transfer.
#include "calendar/CalendarEventsTransfer.h"
#include "calendar/TEVCalendarView.h"
#include "platform/text/StringUtil.h"
#include "platform/widgets/FileDialog.h"
#include "platform/widgets/MessageBox.h"
#include "resources/calendar/CalendarStrings.h"

#include <wx/defs.h>

using namespace tev::calendar;

void CTEVCalendarView::ImportEvents() {
    tev::FileDialogOptions options;
    options.filter = CalendarString(IDS_ICALENDAR_FILTER);
    std::vector<std::string> paths;
    if (!tev::PromptForFileNames(this, options, paths))
        return;
    const CCalendarEventsTransfer transfer(CalendarLocalZoneName());
    std::vector<CCalendarFileImport> files;
    bool troubled = false;
    for (const std::string& path : paths) {
        files.push_back(transfer.ReadFile(path, m_data));
        troubled = troubled || files.back().problem != CCalendarFileImport::Problem::None ||
                   !files.back().result.m_notes.empty();
    }
    // The whole import is one step for undo, however many files and events it brought.
    ChangeAsOneStep([&] { CCalendarEventsTransfer::AddEvents(m_data, files); });
    tev::MessageBox(this, CCalendarEventsTransfer::ReportText(files), kMessageCaption,
                    wxOK | (troubled ? wxICON_WARNING : wxICON_INFORMATION));
}

void CTEVCalendarView::ExportEvents() {
    tev::FileDialogOptions options;
    options.mode = tev::FileDialogMode::Save;
    options.filter = CalendarString(IDS_ICALENDAR_FILTER);
    options.defaultExtension = "ics";
    options.initialFile = kExportFileName;
    std::string path;
    if (!tev::PromptForFileName(this, options, path))
        return;
    if (!CCalendarEventsTransfer(CalendarLocalZoneName())
             .WriteFile(path, m_data, m_idList.GetIds()))
        tev::MessageBox(this, tev::Replaced(CalendarString(IDS_EXPORT_FAILED), "%s", path),
                        kMessageCaption, wxOK | wxICON_ERROR);
}
