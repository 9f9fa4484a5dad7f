#include "shell/windows/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "fieldsets/window/set_editor_window.h"
#include "fieldsets/window/set_list_view.h"
#include "shell/start_handler.h"
#include "shell/windows/about_box.h"
#include "shell/windows/folder_actions.h"
#include "shell/windows/program_icon.h"
#include "shell/windows/wait_window.h"
#include "shell/windows/window_placement.h"

namespace tessivar {

namespace {

// Sets a button's check mark as the model has it. An option button that is
// the checked one of its group cannot be cleared directly, so its group
// rule is lifted for the moment.
void ShowControl(QAbstractButton* button, const Control& control) {
  if (button->isChecked() != control.value) {
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(control.value);
    button->setAutoExclusive(exclusive);
  }
  button->setEnabled(control.enabled);
}

}  // namespace

// The wait window of a run, and the main window's controls disabled while
// it is up.
class MainWindow::RunWaitWindow : public WaitWindow {
 public:
  explicit RunWaitWindow(MainWindow& main) : main_(main) {}
  void Show() override {
    main_.SetRunning(true);
    dialog_ = std::make_unique<WaitDialog>(&main_);
    dialog_->show();
    dialog_->repaint();
    QApplication::processEvents();
  }
  void Unload() override {
    dialog_.reset();
    main_.SetRunning(false);
    main_.activateWindow();  // the keyboard goes back to where it was before the run
  }

 private:
  MainWindow& main_;
  std::unique_ptr<WaitDialog> dialog_;
};

MainWindow::MainWindow(Application& app, std::function<void(int)> end_program)
    : app_(app),
      end_program_(std::move(end_program)),
      w_(BuildMainWindow(*this)),
      wait_(std::make_unique<RunWaitWindow>(*this)) {
  setWindowIcon(ProgramIcon());
  app_.F_WAIT = wait_.get();
  ConnectOptions();
  ConnectPrefectures();
  ConnectButtonsAndMenus();
  AddFolderActions(*this, w_.mnuFile, w_.mnuFileExit, app_, [this] { ShowModel(); });
  ShowModel();
}

MainWindow::~MainWindow() { app_.F_WAIT = nullptr; }

void MainWindow::ConnectOptions() {
  MainWindowModel& form = app_.G_MainForm;
  for (int i = 0; i < 3; ++i) {
    connect(w_.Opt_用途[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, &form, i] {
      form.SelectPurpose(i);
      ShowModel();
    });
  }
  auto connect_pair = [this](std::array<QRadioButton*, 2>& buttons, std::array<Control, 2>& group) {
    for (int i = 0; i < 2; ++i) {
      connect(buttons[static_cast<size_t>(i)], &QRadioButton::clicked, this,
              [&group, i] { MainWindowModel::Select(group, i); });
    }
  };
  connect_pair(w_.Opt_形式, form.Opt_形式);
  connect_pair(w_.Opt_県名, form.Opt_県名);
  connect_pair(w_.Opt_空白, form.Opt_空白);
  connect_pair(w_.Opt_取込先, form.Opt_取込先);
  connect(w_.Opt_列名, &QRadioButton::clicked, this, [&form] { form.Opt_列名.value = true; });
  connect(w_.List出力設定F, &QListWidget::currentRowChanged, this,
          [&form](int row) { form.List出力設定F.selected = row; });
}

void MainWindow::ConnectPrefectures() {
  MainWindowModel& form = app_.G_MainForm;
  connect(w_.Chk_県指定一括, &QCheckBox::clicked, this, [this, &form](bool checked) {
    form.Chk_県指定一括.value = checked;
    form.Chk_県指定一括_Click();
    ShowModel();
  });
  for (size_t i = 0; i < w_.Chk_県名.size(); ++i) {
    connect(w_.Chk_県名[i], &QCheckBox::clicked, this,
            [&form, i](bool checked) { form.Chk_県名[i].value = checked; });
  }
}

void MainWindow::ConnectButtonsAndMenus() {
  connect(w_.Btn列名選択, &QPushButton::clicked, this, [this] { Btn列名選択_Click(); });
  connect(w_.Btn_作成開始, &QPushButton::clicked, this, [this] {
    Btn_作成開始_Click(app_);
    ShowModel();
  });
  connect(w_.Btn_END, &QPushButton::clicked, this, [this] {
    if (!MayDropEditorWork()) return;
    Form_Unload();
    end_program_(0);
  });
  connect(w_.mnuFileExit, &QAction::triggered, this, [this] { close(); });
  connect(w_.mnuHelpContents, &QAction::triggered, this, [this] {
    // The program ships no help file.
    app_.dialogs.MessageWithIcon("ﾍﾙﾌﾟの目次を表示できません。 ﾍﾙﾌﾟが存在しません。",
                                 DialogIcon::kInformation);
  });
  connect(w_.mnuHelpAbout, &QAction::triggered, this, [this] {
    AboutBox about(this);
    about.exec();
  });
}

void MainWindow::ShowModel() {
  const MainWindowModel& form = app_.G_MainForm;
  for (size_t i = 0; i < 3; ++i) ShowControl(w_.Opt_用途[i], form.Opt_用途[i]);
  for (size_t i = 0; i < 2; ++i) {
    ShowControl(w_.Opt_形式[i], form.Opt_形式[i]);
    ShowControl(w_.Opt_県名[i], form.Opt_県名[i]);
    ShowControl(w_.Opt_空白[i], form.Opt_空白[i]);
    ShowControl(w_.Opt_取込先[i], form.Opt_取込先[i]);
  }
  ShowControl(w_.Opt_列名, form.Opt_列名);
  w_.県名指定->setEnabled(form.県名指定.enabled);
  w_.空白指定->setEnabled(form.空白指定.enabled);
  w_.取り込み先指定->setEnabled(form.取り込み先指定.enabled);
  w_.列名出力->setEnabled(form.列名出力.enabled);
  w_.出力指定->setEnabled(form.出力指定.enabled);
  w_.List出力設定F->setEnabled(form.出力指定.enabled);
  w_.Btn列名選択->setEnabled(form.Btn列名選択.enabled);
  ShowSetList(w_.List出力設定F, form.List出力設定F);
  ShowControl(w_.Chk_県指定一括, form.Chk_県指定一括);
  for (size_t i = 0; i < w_.Chk_県名.size(); ++i) ShowControl(w_.Chk_県名[i], form.Chk_県名[i]);
  w_.Lbl_File->setText(QString::fromStdU16String(form.Lbl_File));
}

void MainWindow::ShowRestored() {
  RestorePlacement(*this);
  // The set chosen last time, when the file still holds it.
  MainWindowModel& form = app_.G_MainForm;
  const QString name = SavedFieldSetChoice();
  if (!name.isEmpty() && form.List出力設定F.Select(name.toStdU16String())) {
    F_SelectFieldSet(app_, form.List出力設定F.SelectedName());
    ShowModel();
  }
  show();
  activateWindow();
}

void MainWindow::Btn列名選択_Click() {
  if (editor_) {
    editor_->raise();
    editor_->activateWindow();
    return;
  }
  editor_ = new SetEditorWindow(
      app_.field_sets, app_.dialogs, app_.G_MainForm.List出力設定F, app_.G_SelFields,
      [this] {
        ShowModel();
        activateWindow();
        w_.List出力設定F->setFocus();
      },
      this);
  editor_->show();
  editor_->activateWindow();
}

bool MainWindow::MayDropEditorWork() { return !editor_ || editor_->MayDiscardChanges(); }

void MainWindow::closeEvent(QCloseEvent* event) {
  // A run ends by itself; it cannot be cut off. The editor's unsaved items
  // go only when the user lets them.
  if (running_ || !MayDropEditorWork()) {
    event->ignore();
    return;
  }
  Form_Unload();
  event->accept();
}

void MainWindow::Form_Unload() {
  if (editor_) editor_->Unload();
  SavePlacement(*this);
  SaveFieldSetChoice(QString::fromStdU16String(app_.G_MainForm.List出力設定F.SelectedName()));
}

void MainWindow::SetRunning(bool running) {
  running_ = running;
  // Disabled controls lose the keyboard: it goes back where it was.
  if (running) focus_before_run_ = focusWidget();
  centralWidget()->setEnabled(!running);
  menuBar()->setEnabled(!running);
  if (!running && focus_before_run_) focus_before_run_->setFocus();
}

}  // namespace tessivar
