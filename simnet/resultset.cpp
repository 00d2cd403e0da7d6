// The result of a simulated query: a collection that can be enumerated again and again,
// as WMI's default (forward-and-back) result sets can.
#include <atomic>
#include <memory>
#include <mutex>
#include <utility>

#include "simnet/dispatchobject.h"
#include "simnet/simobjects.h"

using Microsoft::WRL::ComPtr;

namespace {
using Items = std::vector<ComPtr<IDispatch>>;

// Hands out the result's objects in order; clones share the items, not the position. Like
// every object of the simulated WMI it may be used from any thread.
class ItemEnumerator final : public IEnumVARIANT {
public:
    ItemEnumerator(std::shared_ptr<const Items> items, size_t position)
        : m_items(std::move(items)), m_position(position)
    {
    }
    ItemEnumerator(const ItemEnumerator&) = delete;
    ItemEnumerator& operator=(const ItemEnumerator&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) {
            *object = static_cast<IEnumVARIANT*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override
    {
        if (fetched != nullptr) *fetched = 0;
        if (count == 0) return S_OK;
        if (items == nullptr || (fetched == nullptr && count != 1)) return E_POINTER;
        const std::lock_guard guard(m_lock);
        ULONG done = 0;
        for (; done < count && m_position < m_items->size(); ++done, ++m_position) {
            VariantInit(&items[done]);
            items[done].vt = VT_DISPATCH;
            items[done].pdispVal = (*m_items)[m_position].Get();
            items[done].pdispVal->AddRef();
        }
        if (fetched != nullptr) *fetched = done;
        return done == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override
    {
        const std::lock_guard guard(m_lock);
        const size_t left = m_items->size() - m_position;
        if (count > left) {
            m_position = m_items->size();
            return S_FALSE;
        }
        m_position += count;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        const std::lock_guard guard(m_lock);
        m_position = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override
    {
        if (copy == nullptr) return E_POINTER;
        *copy = nullptr;
        try {
            const std::lock_guard guard(m_lock);
            *copy = MakeComObject<ItemEnumerator>(m_items, m_position).Detach();
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

private:
    ~ItemEnumerator() = default;

    std::atomic<ULONG> m_references = 1;
    std::shared_ptr<const Items> m_items;
    std::mutex m_lock;  // guards the position
    size_t m_position;
};

enum ResultSetMember : DISPID { CountId = 1 };
const DispatchMember kMembers[] = {{L"_NewEnum", DISPID_NEWENUM}, {L"Count", CountId}};

class ResultSet final : public DispatchObject {
public:
    explicit ResultSet(Items items) : m_items(std::make_shared<const Items>(std::move(items))) {}

protected:
    DISPID Lookup(std::wstring_view name) const override { return LookupMember(kMembers, name); }

    DispatchAnswer Answer(DISPID id, WORD flags, const DispatchArgs& args) override
    {
        if (MemberName(kMembers, id).empty() || !IsPropertyRead(flags)) {
            return DispatchAnswer::Failure(DISP_E_MEMBERNOTFOUND);
        }
        if (!args.empty()) return DispatchAnswer::Failure(DISP_E_BADPARAMCOUNT);
        if (id == CountId) return DispatchAnswer::Value(Variant::FromInt(static_cast<int32_t>(m_items->size())));
        // Every enumeration starts afresh from the first item.
        Variant enumerator;
        enumerator.put()->punkVal = MakeComObject<ItemEnumerator>(m_items, 0).Detach();
        enumerator.get().vt = VT_UNKNOWN;
        return DispatchAnswer::Value(std::move(enumerator));
    }

private:
    std::shared_ptr<const Items> m_items;
};
}  // namespace

ComPtr<IDispatch> MakeResultSet(Items items) { return MakeDispatchObject<ResultSet>(std::move(items)); }
