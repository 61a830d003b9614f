#pragma once

#include <functional>

#include "report/XlsxReportApi.h"

// One bound property of a workbook handle: a put function, a get function and the handle. Bindings start
// empty and are filled by the Bind of the member that holds them. PutChecked reports whether the library took
// the value; PutValue and assignment give the value back (so that puts can be chained) and keep the
// library's answer for Failed(). A put through a binding without a put function does nothing and fails.
template <typename T>
class CXlsxProperty
{
public:
    using Put = std::function<int(XlsxHandle, const T&)>;
    using Get = std::function<T(XlsxHandle)>;

    void Bind(XlsxHandle handle, Put put, Get get = {})
    {
        m_handle = handle;
        m_put = std::move(put);
        m_get = std::move(get);
    }
    // True when the library took the value.
    [[nodiscard]] bool PutChecked(const T& value)
    {
        m_failed = !(m_put && m_put(m_handle, value) != 0);
        return !m_failed;
    }
    T operator=(const T& value) { return PutValue(value); }
    T PutValue(const T& value)
    {
        (void)PutChecked(value);
        return value;
    }
    // The last put was refused by the library (or had no put function).
    bool Failed() const { return m_failed; }
    // The value the library holds; out receives it too. Without a get function, T().
    T GetValue(T* out = nullptr) const
    {
        const T value = m_get ? m_get(m_handle) : T();
        if (out)
            *out = value;
        return value;
    }

private:
    Put m_put;
    Get m_get;
    XlsxHandle m_handle = nullptr;
    bool m_failed = false;
};

// The base of every member of a report: it holds the handle its operations are called with.
class CXlsxBaseT
{
public:
    virtual ~CXlsxBaseT() = default;
    virtual void Bind(XlsxHandle handle) { m_handle = handle; }
    XlsxHandle Handle() const { return m_handle; }

protected:
    XlsxHandle m_handle = nullptr;
};
