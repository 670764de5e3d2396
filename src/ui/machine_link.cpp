#include "ui/machine_link.h"

#include <utility>

namespace skelda {

// Copies every call's arguments into an event for the window's thread. Events still queued
// when the relay is destroyed are dropped with it.
class MachineLink::Relay : public QObject, public SessionListener {
 public:
  Relay(SessionListener& window, QObject* parent) : QObject(parent), window_(window) {}

  void Detach() { detached_ = true; }

  void OnConnected(const ControllerInfo& info) override {
    Post([this, info] { window_.OnConnected(info); });
  }
  void OnConnectFailed(const ConnectFailure& failure) override {
    Post([this, failure] { window_.OnConnectFailed(failure); });
  }
  void OnStatus(const StatusReport& status) override {
    Post([this, status] { window_.OnStatus(status); });
  }
  void OnMessage(const std::string& line) override {
    Post([this, line] { window_.OnMessage(line); });
  }
  void OnProgress(const JobProgress& progress) override {
    Post([this, progress] { window_.OnProgress(progress); });
  }
  void OnHeld(bool held) override {
    Post([this, held] { window_.OnHeld(held); });
  }
  void OnJobEnded(const JobReport& report) override {
    Post([this, report] { window_.OnJobEnded(report); });
  }
  void OnConnectionLost(const std::string& message) override {
    Post([this, message] { window_.OnConnectionLost(message); });
  }

 private:
  template <class Call>
  void Post(Call call) {
    QMetaObject::invokeMethod(
        this,
        [this, call = std::move(call)] {
          if (!detached_) call();
        },
        Qt::QueuedConnection);
  }

  SessionListener& window_;
  bool detached_ = false;  // read and written on the window's thread only
};

MachineLink::MachineLink(SessionListener& window, QObject* parent)
    : QObject(parent),
      relay_(std::make_unique<Relay>(window, nullptr)),
      session_(std::make_unique<MachineSession>(relay_.get())) {}

void MachineLink::Detach() {
  relay_->Detach();
}

MachineLink::~MachineLink() {
  session_.reset();
  relay_.reset();
}

}  // namespace skelda
