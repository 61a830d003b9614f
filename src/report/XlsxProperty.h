#pragma once

#include <functional>

#include "report/XlsxReportApi.h"

// One bound property of a workbook handle: a put function, a get function and the handle. A put through
// a binding without a put function does nothing; every put returns the value it was given. Bindings
// start empty and are filled by the Bind of the member that holds them.
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
    T operator=(const T& value) { return PutValue(value); }
    T PutValue(const T& value)
    {
        if (m_put)
            m_put(m_handle, value);
        return value;
    }
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
