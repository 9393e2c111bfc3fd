#include "standin_documents.h"

#include "standin_log.h"
#include "standin_pdf.h"
#include "standin_scenario.h"

#include <oleauto.h>

namespace standin {

DocumentList::~DocumentList() {
    std::vector<std::pair<IUnknown*, DocumentState*>> documents;
    documents.swap(documents_);
    for (auto& document : documents) {
        document.second->owner = nullptr;
        document.first->Release();
    }
}

void DocumentList::Add(IUnknown* document, DocumentState* state) {
    state->owner = this;
    documents_.emplace_back(document, state);
}

void CloseDocument(IUnknown* document, DocumentState& state) {
    document->AddRef();
    if (state.owner != nullptr)
        state.owner->Remove(&state);
    document->Release();
}

void DocumentList::Remove(DocumentState* state) {
    for (auto it = documents_.begin(); it != documents_.end(); ++it) {
        if (it->second == state) {
            IUnknown* document = it->first;
            state->owner = nullptr;
            documents_.erase(it);
            document->Release();
            return;
        }
    }
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::wstring ArgumentText(const VARIANT* argument) {
    if (argument == nullptr)
        return std::wstring();
    VARIANT value;
    VariantInit(&value);
    std::wstring result;
    if (SUCCEEDED(VariantCopyInd(&value, const_cast<VARIANT*>(argument))) &&
        V_VT(&value) != VT_ERROR && V_VT(&value) != VT_EMPTY &&
        SUCCEEDED(VariantChangeType(&value, &value, 0, VT_BSTR)) && V_BSTR(&value) != nullptr)
        result = V_BSTR(&value);
    VariantClear(&value);
    return result;
}

std::string SaveDocumentAsPdf(const std::string& objectName, const DocumentState& document,
                              const std::wstring& target) {
    if (target.empty())
        return "no file name";
    if (ScenarioHas("nopdf", objectName + ".SaveAs"))
        return std::string();
    std::wstring source = document.path;
    size_t slash = source.find_last_of(L"\\/");
    std::string sourceName =
        Narrow(source.substr(slash == std::wstring::npos ? 0 : slash + 1).c_str());
    if (!WritePdf(target, sourceName))
        return "cannot write " + Narrow(target.c_str());
    return std::string();
}

} // namespace standin
