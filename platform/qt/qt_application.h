#pragma once

#include "platform/platform.h"

namespace qrn::platform {

// The application object: the folder of the file that holds this code at run time (the
// plug-in's shared library, or the program it is linked into), the help file path and the title.
class QtApplication : public Application {
public:
    std::u16string Path() override;
    std::u16string HelpFile() override { return helpFile_; }
    void SetHelpFile(const std::u16string& path) override { helpFile_ = path; }
    std::u16string Title() override { return u"QRNPlg"; }

private:
    std::u16string helpFile_;
};

}  // namespace qrn::platform
