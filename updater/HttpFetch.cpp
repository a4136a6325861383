#include "updater/HttpFetch.h"

#include <cstring>

namespace {

class TextSink : public HttpBodySink
{
public:
    explicit TextSink(std::string& text) : m_text(text) {}

    void OnAccepted() override {}
    bool OnChunk(const char* data, size_t size) override
    {
        m_received += size;
        if (m_received > MAX_TEXT_BODY)
            return false;
        // A chunk counts as a zero-terminated string.
        m_text.append(data, ::strnlen(data, size));
        return true;
    }

private:
    std::string& m_text;
    size_t m_received = 0;
};

class DataSink : public HttpBodySink
{
public:
    DataSink(unsigned char* buffer, int32_t* received, int32_t capacity)
        : m_buffer(buffer), m_received(received), m_capacity(capacity < 0 ? 0 : capacity)
    {
    }

    void OnAccepted() override
    {
        m_accepted = true;
        *m_received = 0;
    }
    bool OnChunk(const char* data, size_t size) override
    {
        const auto count = static_cast<size_t>(*m_received);
        if (size > static_cast<size_t>(m_capacity) - count)
            return false;
        std::memcpy(m_buffer + count, data, size);
        *m_received = static_cast<int32_t>(count + size);
        return true;
    }

    bool Accepted() const { return m_accepted; }

private:
    unsigned char* m_buffer;
    int32_t* m_received;
    int32_t m_capacity;
    bool m_accepted = false;
};

} // namespace

int FetchText(HttpSession& session, std::string address, std::string& text, const bool* cancel)
{
    text.clear();
    TextSink sink(text);
    const int result = session.Get(address, cancel, sink);
    if (result != FETCH_OK) {
        text.clear();
        text.shrink_to_fit();
    }
    return result;
}

int FetchText(std::string address, std::string& text, const bool* cancel)
{
    HttpSession session;
    return FetchText(session, std::move(address), text, cancel);
}

int FetchData(HttpSession& session, std::string address, unsigned char* buffer, int32_t* received,
              int32_t capacity, const bool* cancel)
{
    DataSink sink(buffer, received, capacity);
    const int result = session.Get(address, cancel, sink);
    if (result == FETCH_FAILED && sink.Accepted())
        *received = 0;
    return result;
}

int FetchData(std::string address, unsigned char* buffer, int32_t* received, int32_t capacity,
              const bool* cancel)
{
    HttpSession session;
    return FetchData(session, std::move(address), buffer, received, capacity, cancel);
}
