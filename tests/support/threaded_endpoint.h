// A window endpoint on a thread of its own, standing in for the other program of an exchange: its
// handler runs on that thread, so this thread may send to it and wait, and it may send back while this
// thread's event loop goes on.
#pragma once

#include <QObject>
#include <QThread>

#include <functional>
#include <string>

#include "external/protocol.h"
#include "external/window_endpoint.h"
#include "util/window_names.h"

namespace plazor::testing {

class ThreadedEndpoint {
  public:
    ThreadedEndpoint(const QString& folder, const QString& title, external::WindowEndpoint::Handler handler) {
        thread_.start();
        context_.moveToThread(&thread_);
        QMetaObject::invokeMethod(
            &context_,
            [&] {
                endpoint_ = new external::WindowEndpoint(
                    folder, window_names::kMainWindowClass, [title] { return title; }, std::move(handler));
            },
            Qt::BlockingQueuedConnection);
    }

    ~ThreadedEndpoint() {
        QMetaObject::invokeMethod(
            &context_, [this] { delete endpoint_; }, Qt::BlockingQueuedConnection);
        thread_.quit();
        thread_.wait();
    }

    ThreadedEndpoint(const ThreadedEndpoint&) = delete;
    ThreadedEndpoint& operator=(const ThreadedEndpoint&) = delete;

    std::string name() const { return endpoint_->name().toStdString(); }

  private:
    QThread thread_;
    QObject context_;
    external::WindowEndpoint* endpoint_ = nullptr;
};

}  // namespace plazor::testing
