#include "app/batch_document.h"

#include <algorithm>
#include <ostream>

#include "expr/eval.h"
#include "plot2d/cv2_codec.h"
#include "plot2d/plot2_document.h"
#include "resources/resources.h"

namespace curvelo {

std::uint16_t LoadBatchDocument(const std::string& path, BatchDocument& doc) {
    Cv2Document file;
    if (std::uint16_t code = LoadCv2File(path, kFileType2D, file)) return code;
    ApplyWindowState(file, {doc.view, doc.frame, doc.background, doc.inventory, doc.engine, doc.print, doc.fonts, doc.switches, nullptr, &doc.tracing});
    return 0;
}

bool ChooseBatchExample(BatchDocument& doc, std::string_view example, int& index) {
    return ChooseBatchExample(doc.engine, doc.inventory, example, index);
}

bool ChooseBatchExample(FormulaEngine& engine, const ExampleInventory& inventory, std::string_view example,
                        int& index) {
    index = inventory.Selected() >= 0 ? inventory.Selected() : 0;
    if (example.empty()) return true;
    std::int32_t n = 0;
    if (EvaluateInteger(engine, std::string(example), 1, std::max(1, inventory.Count()), n)) return false;
    index = n - 1;
    return true;
}

int BatchUsage(std::ostream& err, const std::string& why, std::string_view usage) {
    err << "error 401: " << res::String(401) << " (" << why << ")\n" << usage << '\n';
    return 2;
}

int BatchFail(std::ostream& err, int code) {
    err << "error " << 400 + code << ": " << res::String(400 + code) << '\n';
    return 1;
}

}  // namespace curvelo
