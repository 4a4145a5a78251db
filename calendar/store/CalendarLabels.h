#pragma once
// The store's label list: numbered, named, coloured categories for events. The data
// document carries a label by its name; the event dialog lists the names in list order
// and takes the selected index as the label number, so the default list numbers its
// labels by position.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct CCalendarLabel {
    int m_labelId = 0;
    std::string m_name;
    uint32_t m_colour = 0xFFFFFF; // 0xRRGGBB, the colour the views fill the event with
};

class CCalendarLabels {
public:
    // An empty list.
    CCalendarLabels() = default;
    // None 0, Important 1, Business 2, Personal 3, Vacation 4, Must Attend 5,
    // Travel Required 6, Needs Preparation 7, Birthday 8, Anniversary 9, Phone Call 10.
    static CCalendarLabels Default();

    size_t GetCount() const { return m_labels.size(); }
    const CCalendarLabel& GetAt(size_t index) const { return m_labels[index]; }
    const std::vector<CCalendarLabel>& GetLabels() const { return m_labels; }
    // The first label with that number, null when there is none.
    const CCalendarLabel* Find(int labelId) const;

    void Add(int labelId, const std::string& name, uint32_t colour);
    void RemoveAll() { m_labels.clear(); }

private:
    std::vector<CCalendarLabel> m_labels;
};
