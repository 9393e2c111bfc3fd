// Excel: the Application, its Workbooks collection and Workbook, with Excel's by-value VARIANT
// parameters and its [lcid] parameters.

#include "office_standin.h"
#include "standin_dispatch.h"
#include "standin_documents.h"
#include "standin_objects.h"

namespace standin {

namespace {

class ExcelWorkbookObject : public DispatchObject<ExcelWorkbook> {
  public:
    explicit ExcelWorkbookObject(const std::wstring& path)
        : DispatchObject("Excel.Workbook", IID_ExcelWorkbook) {
        state_.path = path;
    }
    DocumentState* State() { return &state_; }

    HRESULT STDMETHODCALLTYPE get_FullName(LONG, BSTR* RHS) override {
        *RHS = SysAllocString(state_.path.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SaveAs(VARIANT Filename, VARIANT, VARIANT, VARIANT, VARIANT, VARIANT,
                                     XlSaveAsAccessMode, VARIANT, VARIANT, VARIANT, VARIANT,
                                     VARIANT, LONG) override {
        std::string error = SaveDocumentAsPdf(ObjectName(), state_, ArgumentText(&Filename));
        return error.empty() ? S_OK : Fail(error);
    }
    HRESULT STDMETHODCALLTYPE Close(VARIANT, VARIANT, VARIANT, LONG) override {
        CloseDocument(static_cast<ExcelWorkbook*>(this), state_);
        return S_OK;
    }

  private:
    DocumentState state_;
};

class ExcelWorkbooksObject : public DispatchObject<ExcelWorkbooks> {
  public:
    ExcelWorkbooksObject() : DispatchObject("Excel.Workbooks", IID_ExcelWorkbooks) {
        for (const std::string& path : ScenarioArguments("preopen")) {
            auto* workbook = new ExcelWorkbookObject(Widen(path));
            workbooks_.Add(static_cast<ExcelWorkbook*>(workbook), workbook->State());
        }
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* RHS) override {
        *RHS = workbooks_.Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Open(BSTR Filename, VARIANT, VARIANT, VARIANT, VARIANT, VARIANT,
                                   VARIANT, VARIANT, VARIANT, VARIANT, VARIANT, VARIANT, VARIANT,
                                   VARIANT, VARIANT, LONG, ExcelWorkbook** RHS) override {
        *RHS = nullptr;
        std::wstring path = Filename != nullptr ? Filename : L"";
        if (!FileExists(path))
            return Fail("cannot open " + Narrow(path.c_str()));
        auto* workbook = new ExcelWorkbookObject(path);
        workbooks_.Add(static_cast<ExcelWorkbook*>(workbook), workbook->State());
        workbook->AddRef();
        *RHS = workbook;
        return S_OK;
    }

  private:
    DocumentList workbooks_;
};

class ExcelApplicationObject : public DispatchObject<ExcelApplication> {
  public:
    ExcelApplicationObject() : DispatchObject("Excel.Application", IID_ExcelApplication) {}

    HRESULT STDMETHODCALLTYPE get_Visible(LONG, VARIANT_BOOL* RHS) override {
        *RHS = visible_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Visible(LONG, VARIANT_BOOL RHS) override {
        visible_ = RHS;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Workbooks(ExcelWorkbooks** RHS) override {
        if (workbooks_ == nullptr)
            workbooks_ = new ExcelWorkbooksObject;
        workbooks_->AddRef();
        *RHS = workbooks_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Quit() override { return S_OK; }

  protected:
    ~ExcelApplicationObject() override {
        if (workbooks_ != nullptr)
            workbooks_->Release();
    }

  private:
    VARIANT_BOOL visible_ = VARIANT_FALSE;
    ExcelWorkbooksObject* workbooks_ = nullptr;
};

} // namespace

IUnknown* CreateExcelApplication() {
    return static_cast<ExcelApplication*>(new ExcelApplicationObject);
}

} // namespace standin
