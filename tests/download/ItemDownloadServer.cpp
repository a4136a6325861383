#include "ItemDownloadServer.h"

#include <chrono>

ItemDownloadServer::ItemDownloadServer()
{
    m_server.Get("/dl.php", [this](const httplib::Request& request, httplib::Response& response) {
        const std::string id = request.get_param_value("id");
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_query = request.get_param_value("t") + "/" + id;
        }
        switch (m_mode.load()) {
        case Mode::Missing:
            response.status = 404;
            return;
        case Mode::Slow:
            response.set_chunked_content_provider("image/gif", [](size_t offset, httplib::DataSink& sink) {
                if (offset > 1000000 || !sink.is_writable())
                    return false;
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                sink.write("xxxxxxxxxx", 10);
                return true;
            });
            return;
        case Mode::File:
            break;
        }
        response.set_header("Content-Disposition", "attachment; filename=\"" + FileName(id) + "\"");
        response.set_content(Body(id), "image/gif");
    });
    m_port = m_server.bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

ItemDownloadServer::~ItemDownloadServer()
{
    m_server.stop();
    m_thread.join();
}

std::string ItemDownloadServer::Origin() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::string ItemDownloadServer::LastQuery()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_query;
}
