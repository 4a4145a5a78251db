#include "calendar/store/CalendarLabels.h"

CCalendarLabels CCalendarLabels::Default() {
    CCalendarLabels labels;
    labels.Add(0, "None", 0xFFFFFF);
    labels.Add(1, "Important", 0xFF9484);
    labels.Add(2, "Business", 0x849CE7);
    labels.Add(3, "Personal", 0xA5DE63);
    labels.Add(4, "Vacation", 0xE7E7D6);
    labels.Add(5, "Must Attend", 0xFFC663);
    labels.Add(6, "Travel Required", 0x84EFF7);
    labels.Add(7, "Needs Preparation", 0xD6CE84);
    labels.Add(8, "Birthday", 0xC6A5F7);
    labels.Add(9, "Anniversary", 0xA5CEC6);
    labels.Add(10, "Phone Call", 0xFFE773);
    return labels;
}

const CCalendarLabel* CCalendarLabels::Find(int labelId) const {
    for (const CCalendarLabel& label : m_labels) {
        if (label.m_labelId == labelId)
            return &label;
    }
    return nullptr;
}

void CCalendarLabels::Add(int labelId, const std::string& name, uint32_t colour) {
    m_labels.push_back({labelId, name, colour});
}
