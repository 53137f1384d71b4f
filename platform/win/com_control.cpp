#include "platform/win/com_control.h"

#include <QWidget>
#include <atomic>
#include <exception>
#include <new>

#include "platform/widgets/component_class.h"
#include "platform/win/qrnplg_com.h"

namespace qrn::platform::com {

namespace {

// The reference count every object here shares; each live object keeps the library in use.
class Counted {
public:
    Counted() { addComponentUse(); }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    virtual ~Counted() { dropComponentUse(); }

protected:
    ULONG addRef() { return ++references_; }
    ULONG release() {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    std::atomic<ULONG> references_{1};
};

// The control object. Its interfaces are listed in QueryInterface: ActiveX in-place activation
// (IOleObject, IOleInPlaceObject, IViewObject2, IPersistStreamInit, with the window the object
// would then own) joins them as further bases, the QWidget of CreateWidget becoming the control
// shown in the container's window. The control keeps no state of its own: each widget it makes
// belongs to its parent and stays in use until destroyed (holdWhileAlive).
class ControlObject final : public Counted, public IDispatch, public IQrnWidgetFactory {
public:
    explicit ControlObject(const ComponentClass& cls) : cls_(cls) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch))
            *object = static_cast<IDispatch*>(this);
        else if (IsEqualIID(iid, IID_IQrnWidgetFactory))
            *object = static_cast<IQrnWidgetFactory*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        addRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }

    // The automation interface is empty: no type information, no names, no members.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count == nullptr) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info == nullptr) return E_POINTER;
        *info = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT count, LCID,
                                            DISPID* ids) override {
        if (ids != nullptr)
            for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }

    HRESULT STDMETHODCALLTYPE CreateWidget(void* parentWidget, void** widget) override {
        if (widget == nullptr) return E_POINTER;
        *widget = nullptr;
        if (parentWidget == nullptr) return E_POINTER;
        try {
            QWidget* control = cls_.create(static_cast<QWidget*>(parentWidget));
            holdWhileAlive(control);
            *widget = control;
            return S_OK;
        } catch (const std::exception&) {
            // A control whose initialisation threw is gone again; the parent keeps nothing.
            return E_FAIL;
        }
    }

private:
    const ComponentClass& cls_;
};

class ClassFactory final : public Counted, public IClassFactory {
public:
    explicit ClassFactory(const ComponentClass& cls) : cls_(cls) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IClassFactory*>(this);
        addRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return addRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return release(); }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (outer != nullptr) return CLASS_E_NOAGGREGATION;
        auto* control = new (std::nothrow) ControlObject(cls_);
        if (control == nullptr) return E_OUTOFMEMORY;
        const HRESULT result = control->QueryInterface(iid, object);
        control->Release();
        return result;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            addComponentUse();
        else
            dropComponentUse();
        return S_OK;
    }

private:
    const ComponentClass& cls_;
};

}  // namespace

IClassFactory* newClassFactory(const ComponentClass& cls) {
    return new (std::nothrow) ClassFactory(cls);
}

}  // namespace qrn::platform::com
