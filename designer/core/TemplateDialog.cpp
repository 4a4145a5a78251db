#include "designer/core/TemplateDialog.h"

#include "resources/designer/DesignerStrings.h"

namespace TEVComponentDesignerAfx {

using namespace tev::designer;

// Dialog template 7611, 172 x 73 dialog units.
CTemplateDialog::CTemplateDialog(wxWindow* parent)
    : tev::NameDialog(parent,
                      {IDD_TEMPLATE_DIALOG, kTemplateDialogCaption, kTemplateDialogWidthDu,
                       kTemplateDialogHeightDu, IDC_TEMPLATE_NAME_LABEL, kTemplateNameLabel,
                       IDC_TEMPLATE_NAME, "Cancel", DesignerString(IDS_SPECIFY_STYLE_NAME)}) {}

} // namespace TEVComponentDesignerAfx
