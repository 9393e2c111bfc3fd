// Word: the Application, its Documents collection and Document, with Word's VARIANT*
// parameters.

#include "office_standin.h"
#include "standin_dispatch.h"
#include "standin_documents.h"
#include "standin_objects.h"

namespace standin {

namespace {

class WordDocumentObject : public DispatchObject<WordDocument> {
  public:
    explicit WordDocumentObject(const std::wstring& path)
        : DispatchObject("Word.Document", IID_WordDocument) {
        state_.path = path;
    }
    DocumentState* State() { return &state_; }

    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* prop) override {
        *prop = SysAllocString(state_.path.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SaveAs(VARIANT* FileName, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                     VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                     VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*) override {
        std::string error = SaveDocumentAsPdf(ObjectName(), state_, ArgumentText(FileName));
        return error.empty() ? S_OK : Fail(error);
    }
    HRESULT STDMETHODCALLTYPE Close(VARIANT*, VARIANT*, VARIANT*) override {
        CloseDocument(static_cast<WordDocument*>(this), state_);
        return S_OK;
    }

  private:
    DocumentState state_;
};

class WordDocumentsObject : public DispatchObject<WordDocuments> {
  public:
    WordDocumentsObject() : DispatchObject("Word.Documents", IID_WordDocuments) {
        for (const std::string& path : ScenarioArguments("preopen")) {
            auto* document = new WordDocumentObject(Widen(path));
            documents_.Add(static_cast<WordDocument*>(document), document->State());
        }
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* prop) override {
        *prop = documents_.Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Open(VARIANT* FileName, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                   VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                   VARIANT*, VARIANT*, VARIANT*, VARIANT*, VARIANT*,
                                   WordDocument** prop) override {
        *prop = nullptr;
        std::wstring path = ArgumentText(FileName);
        if (!FileExists(path))
            return Fail("cannot open " + Narrow(path.c_str()));
        auto* document = new WordDocumentObject(path);
        documents_.Add(static_cast<WordDocument*>(document), document->State());
        document->AddRef();
        *prop = document;
        return S_OK;
    }

  private:
    DocumentList documents_;
};

class WordApplicationObject : public DispatchObject<WordApplication> {
  public:
    WordApplicationObject() : DispatchObject("Word.Application", IID_WordApplication) {}

    HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* prop) override {
        *prop = visible_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL prop) override {
        visible_ = prop;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Documents(WordDocuments** prop) override {
        if (documents_ == nullptr)
            documents_ = new WordDocumentsObject;
        documents_->AddRef();
        *prop = documents_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Quit(VARIANT*, VARIANT*, VARIANT*) override { return S_OK; }

  protected:
    ~WordApplicationObject() override {
        if (documents_ != nullptr)
            documents_->Release();
    }

  private:
    VARIANT_BOOL visible_ = VARIANT_FALSE;
    WordDocumentsObject* documents_ = nullptr;
};

} // namespace

IUnknown* CreateWordApplication() {
    return static_cast<WordApplication*>(new WordApplicationObject);
}

} // namespace standin
