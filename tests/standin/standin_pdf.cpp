#include "standin_pdf.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace standin {

namespace {

// A PDF literal string: parentheses and backslashes escaped, bytes outside ASCII as octal.
std::string PdfString(const std::string& text) {
    std::string result = "(";
    for (unsigned char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            result += '\\';
            result += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            result += octal;
        } else {
            result += static_cast<char>(c);
        }
    }
    return result + ")";
}

} // namespace

bool WritePdf(const std::wstring& path, const std::string& sourceName) {
    std::string content =
        "BT /F1 12 Tf 72 770 Td " + PdfString("Converted from " + sourceName) + " Tj ET\n";
    std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R "
        "/Resources << /Font << /F1 5 0 R >> >> >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "endstream",
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>",
    };
    std::string pdf = "%PDF-1.4\n";
    std::vector<size_t> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (size_t offset : offsets) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%010u 00000 n \n", static_cast<unsigned>(offset));
        pdf += entry;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
           " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";

    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, pdf.data(), static_cast<DWORD>(pdf.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == pdf.size();
}

} // namespace standin
