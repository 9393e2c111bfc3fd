#include "convert/convert_document.h"

#include "convert/office_drivers.h"
#include "convert/source_extension.h"

namespace convert {

bool ConvertDocument(std::string& source, std::string& output) {
    const std::string extension = SourceExtension(source);
    if (extension == "doc" || extension == "docx")
        return ConvertWithWord(source, output);
    if (extension == "xls" || extension == "xlsx")
        return ConvertWithExcel(source, output);
    if (extension == "ppt" || extension == "pptx")
        return ConvertWithPowerPoint(source, output);
    return false;
}

} // namespace convert
