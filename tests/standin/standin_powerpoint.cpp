// PowerPoint: one Application per process that every creation joins, its Presentations
// collection and Presentation, with PowerPoint's typed parameters and their defaults. As in
// PowerPoint, the application cannot be hidden: putting Visible to msoFalse fails.

#include "office_standin.h"
#include "standin_dispatch.h"
#include "standin_documents.h"
#include "standin_objects.h"

namespace standin {

namespace {

class PowerPointPresentationObject : public DispatchObject<PowerPointPresentation> {
  public:
    explicit PowerPointPresentationObject(const std::wstring& path)
        : DispatchObject("PowerPoint.Presentation", IID_PowerPointPresentation) {
        state_.path = path;
    }
    DocumentState* State() { return &state_; }

    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* FullName) override {
        *FullName = SysAllocString(state_.path.c_str());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SaveAs(BSTR FileName, PpSaveAsFileType, MsoTriState) override {
        std::string error =
            SaveDocumentAsPdf(ObjectName(), state_, FileName != nullptr ? FileName : L"");
        return error.empty() ? S_OK : Fail(error);
    }
    HRESULT STDMETHODCALLTYPE Close() override {
        CloseDocument(static_cast<PowerPointPresentation*>(this), state_);
        return S_OK;
    }

  private:
    DocumentState state_;
};

class PowerPointPresentationsObject : public DispatchObject<PowerPointPresentations> {
  public:
    PowerPointPresentationsObject()
        : DispatchObject("PowerPoint.Presentations", IID_PowerPointPresentations) {
        for (const std::string& path : ScenarioArguments("preopen")) {
            auto* presentation = new PowerPointPresentationObject(Widen(path));
            presentations_.Add(static_cast<PowerPointPresentation*>(presentation),
                               presentation->State());
        }
    }

    HRESULT STDMETHODCALLTYPE get_Count(LONG* Count) override {
        *Count = presentations_.Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Open(BSTR FileName, MsoTriState, MsoTriState, MsoTriState,
                                   PowerPointPresentation** result) override {
        *result = nullptr;
        std::wstring path = FileName != nullptr ? FileName : L"";
        if (!FileExists(path))
            return Fail("cannot open " + Narrow(path.c_str()));
        auto* presentation = new PowerPointPresentationObject(path);
        presentations_.Add(static_cast<PowerPointPresentation*>(presentation),
                           presentation->State());
        presentation->AddRef();
        *result = presentation;
        return S_OK;
    }

  private:
    DocumentList presentations_;
};

class PowerPointApplicationObject;
PowerPointApplicationObject* g_application = nullptr;

class PowerPointApplicationObject : public DispatchObject<PowerPointApplication> {
  public:
    PowerPointApplicationObject()
        : DispatchObject("PowerPoint.Application", IID_PowerPointApplication) {
        g_application = this;
    }

    HRESULT STDMETHODCALLTYPE get_Visible(MsoTriState* Visible) override {
        *Visible = visible_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_Visible(MsoTriState Visible) override {
        if (Visible == msoFalse)
            return Fail("hiding the application window is not allowed");
        visible_ = Visible;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Presentations(PowerPointPresentations** Presentations) override {
        if (presentations_ == nullptr)
            presentations_ = new PowerPointPresentationsObject;
        presentations_->AddRef();
        *Presentations = presentations_;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Quit() override { return S_OK; }

  protected:
    ~PowerPointApplicationObject() override {
        g_application = nullptr;
        if (presentations_ != nullptr)
            presentations_->Release();
    }

  private:
    MsoTriState visible_ = msoFalse;
    PowerPointPresentationsObject* presentations_ = nullptr;
};

} // namespace

IUnknown* CreatePowerPointApplication() {
    if (g_application != nullptr) {
        g_application->AddRef();
        return static_cast<PowerPointApplication*>(g_application);
    }
    return static_cast<PowerPointApplication*>(new PowerPointApplicationObject);
}

} // namespace standin
