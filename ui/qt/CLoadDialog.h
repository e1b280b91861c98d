#pragma once
// The modal "Loading data" dialog: runs one file reader once, from its first
// paint, with its progress bar as the reader's progress sink. The dialog ends
// Accepted when the reader succeeded and Rejected when it failed; the user
// cannot stop a reading.

#include <QDialog>
#include <functional>
#include <string>

#include "base/Platform.h"

class QLabel;
class QProgressBar;

namespace verdanto {

class Dictionary;

class CLoadDialog : public QDialog {
  Q_OBJECT

 public:
  using Reader = std::function<bool(ProgressSink& progress, Prompter& prompter)>;

  // Reads `path` into `store` with the reader of `kind`.
  CLoadDialog(Dictionary& store, std::string path, LoadKind kind, QWidget* parent = nullptr);
  // Runs any reader, shown as reading `path`.
  CLoadDialog(std::string path, Reader reader, QWidget* parent = nullptr);
  ~CLoadDialog() override;

  bool started() const noexcept { return started_; }
  void reject() override;  // refused until the reader has ended

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  class BarProgress;
  void RunReader();

  Reader reader_;
  QLabel* text_ = nullptr;
  QProgressBar* bar_ = nullptr;
  bool started_ = false;
  bool finished_ = false;
};

// Runs each reading in a CLoadDialog over `parent`.
class QtLoadRunner final : public LoadRunner {
 public:
  explicit QtLoadRunner(QWidget* parent = nullptr) : parent_(parent) {}
  bool Run(LoadKind kind, const std::string& path, Dictionary& store) override;

 private:
  QWidget* parent_;
};

}  // namespace verdanto
