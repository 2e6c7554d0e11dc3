// The controls of a dialog template of the program's resources, as the
// record describes them when the dialog opens.
#pragma once

#include <vector>

#include "platform/record.h"
#include "platform/win32/handles.h"

namespace win32 {

// Every control of template `templateId` of `instance`, in the template's
// order, as it stands before the dialog's procedure changes it; empty when
// the template cannot be read.
std::vector<record::Control> TemplateControls(HINSTANCE instance, int templateId);

}  // namespace win32
