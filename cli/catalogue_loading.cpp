#include "cli/catalogue_loading.h"

#include "base/errors.h"
#include "cli/output.h"
#include "core/catalogue.h"
#include "platform/platform.h"

namespace qrn::cli {

void loadCatalogue(Catalogue& catalogue, const Arguments& args, Services& services) {
    std::u16string path;
    if (args.catalogue) {
        path = pathArgument(*args.catalogue);
    } else {
        const std::u16string folder = services.app.Path();
        path = platform::joinPath(folder, u"QRN.txt");
        const std::u16string installed = folder + u"/../lib/qrnplg/QRN.txt";
        // When neither exists, the error names the file beside the program.
        if (!services.files.FileExists(path) && services.files.FileExists(installed))
            path = installed;
    }
    catalogue.load(services.files, path);
}

bool loadCatalogueOrSay(Catalogue& catalogue, const Arguments& args, Services& services) {
    try {
        loadCatalogue(catalogue, args, services);
        return true;
    } catch (const Error& error) {
        printError(error);
        return false;
    }
}

}  // namespace qrn::cli
