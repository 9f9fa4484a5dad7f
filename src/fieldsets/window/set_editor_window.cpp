#include "fieldsets/window/set_editor_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <vector>

#include "fieldsets/field_catalogue.h"
#include "fieldsets/window/set_list_view.h"

namespace tessivar {

// LbOUT: reports the mouse press, the release (on the line under the mouse)
// and the double-click by which lines are moved and removed.
class ItemListBox : public QListWidget {
 public:
  using QListWidget::QListWidget;
  std::function<void()> pressed, released, double_clicked;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    QListWidget::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && pressed) pressed();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex under = indexAt(event->position().toPoint());
    if (under.isValid()) setCurrentRow(under.row());
    if (released) released();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton && double_clicked) double_clicked();
  }
};

namespace {

// The item buttons stand in three columns of ten, so the window stays low.
constexpr int kItemRows = 10;

QString Shown(const std::u16string& text) { return QString::fromStdU16String(text); }

QLabel* Note(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setWordWrap(true);
  return label;
}

template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

SetEditorWindow::SetEditorWindow(FieldSetFile& file, Dialogs& dialogs, SetList& main_list,
                                 std::vector<std::u16string>& main_fields, std::function<void()> on_closed,
                                 QWidget* owner)
    : QWidget(owner, Qt::Window),
      editor_(file, dialogs, main_list, main_fields),
      on_closed_(std::move(on_closed)) {
  setObjectName(QStringLiteral("frm列名選択"));
  setWindowTitle(QStringLiteral("出力項目設定ファイル編集"));
  setAttribute(Qt::WA_DeleteOnClose);
  Build();
  Connect();
  editor_.Form_Load();
  ShowEditor();
}

void SetEditorWindow::Build() {
  sets_ = Named(new QListWidget(this), QStringLiteral("List出力設定F"));
  sets_->setMinimumWidth(170);
  items_ = Named(new ItemListBox(this), QStringLiteral("LbOUT"));
  items_->setMinimumWidth(330);
  items_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* frame = Named(new QGroupBox(QStringLiteral("③　提供データの項目(KEN_ALL等）　"), this),
                      QStringLiteral("Frame1"));
  auto* grid = new QGridLayout(frame);
  grid->setVerticalSpacing(3);
  for (int n = 1; n <= kLastItem; ++n) {
    item_buttons_[static_cast<size_t>(n)] = Named(new QPushButton(frame), QStringLiteral("BtnKMK_%1").arg(n));
    grid->addWidget(item_buttons_[static_cast<size_t>(n)], (n - 1) % kItemRows, (n - 1) / kItemRows);
  }
  reset_ = Named(new QPushButton(QStringLiteral("④　⇒　選択を解除"), this), QStringLiteral("BtnReSet"));
  change_ = Named(new QPushButton(this), QStringLiteral("Btn変更登録"));
  add_ = Named(new QPushButton(QStringLiteral("名前を付けて　追加"), this), QStringLiteral("Btn追加"));
  delete_ = Named(new QPushButton(this), QStringLiteral("Btn削除"));
  back_ = Named(new QPushButton(QStringLiteral("戻　る"), this), QStringLiteral("BtnCansel"));

  auto* left = new QVBoxLayout;
  auto* sets_caption = new QLabel(QStringLiteral("① 出力項目設定の一覧"), this);
  sets_->setAccessibleName(sets_caption->text());
  left->addWidget(sets_caption);
  left->addWidget(sets_, 1);
  for (QPushButton* button : {change_, add_, delete_}) left->addWidget(button);
  left->addSpacing(10);
  left->addWidget(back_);

  auto* middle = new QVBoxLayout;
  auto* items_caption = Named(new QLabel(QStringLiteral("②出力項目と順番"), this), QStringLiteral("Label2"));
  items_->setAccessibleName(items_caption->text());
  middle->addWidget(items_caption);
  middle->addWidget(items_, 1);
  middle->addWidget(reset_);

  auto* right = new QVBoxLayout;
  right->addWidget(frame);
  right->addWidget(Note("「ｺﾒﾝﾄ」は 辞書用のﾕｰｻﾞｰｺﾒﾝﾄです。", this));
  right->addWidget(Note("「orgXX」は KEN_ALLからのｵﾘｼﾞﾅﾙです。", this));
  right->addWidget(Note("「会社名」は事業所データの場合", this));
  right->addWidget(
      Note("追加： ② の行を選択してから ③ の項目を押すと、選択した行の下に挿入されます"
           "（選択がなければ最後に追加されます）。",
           this));
  right->addWidget(Note("解除： ② の行を選択して ④ を押すか、行をダブルクリックします。", this));
  right->addWidget(Note("移動： ② の行をドラッグして、移動先の行で離すと、その行の下に移ります。", this));
  right->addStretch(1);

  auto* columns = new QHBoxLayout(this);
  columns->setContentsMargins(12, 12, 12, 12);
  columns->setSpacing(12);
  columns->addLayout(left);
  columns->addLayout(middle, 1);
  columns->addLayout(right);
  SetTabOrder();
}

// Tab order: the sets, the items, then what changes the items, then what
// stores them; Escape is "戻　る".
void SetEditorWindow::SetTabOrder() {
  std::vector<QWidget*> order = {sets_, items_, reset_};
  for (int n = 1; n <= kLastItem; ++n) order.push_back(item_buttons_[static_cast<size_t>(n)]);
  order.insert(order.end(), {change_, add_, delete_, back_});
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { close(); });
}

void SetEditorWindow::Connect() {
  connect(sets_, &QListWidget::currentRowChanged, this, [this](int row) {
    Act([this, row] {
      editor_.List出力設定F.selected = row;
      editor_.List出力設定F_Click();
    });
  });
  for (int n = 1; n <= kLastItem; ++n) {
    connect(item_buttons_[static_cast<size_t>(n)], &QPushButton::clicked, this,
            [this, n] { Act([this, n] { editor_.BtnKMK_Click(n); }); });
  }
  connect(reset_, &QPushButton::clicked, this, [this] { Act([this] { editor_.BtnReSet_Click(); }); });
  connect(change_, &QPushButton::clicked, this, [this] { Act([this] { editor_.Btn変更登録_Click(); }); });
  connect(add_, &QPushButton::clicked, this, [this] { Act([this] { editor_.Btn追加_Click(); }); });
  connect(delete_, &QPushButton::clicked, this, [this] { Act([this] { editor_.Btn削除_Click(); }); });
  connect(back_, &QPushButton::clicked, this, [this] { close(); });
  items_->pressed = [this] {
    TakeItemSelection();
    editor_.LbOUT_MouseDown();  // changes no line: the list is left as the mouse holds it
  };
  items_->released = [this] { Act([this] { editor_.LbOUT_MouseUp(); }); };
  items_->double_clicked = [this] { Act([this] { editor_.LbOUT_DblClick(); }); };
}

void SetEditorWindow::TakeItemSelection() {
  const QList<QListWidgetItem*> selected = items_->selectedItems();
  editor_.LbOUT_selected = selected.isEmpty() ? -1 : items_->row(selected.first());
}

void SetEditorWindow::ShowEditor() {
  ShowSetList(sets_, editor_.List出力設定F);
  items_->clear();
  for (const auto& line : editor_.LbOUT) items_->addItem(Shown(line));
  if (editor_.LbOUT_selected >= 0) items_->setCurrentRow(editor_.LbOUT_selected);
  items_->setEnabled(editor_.LbOUT_enabled);
  reset_->setEnabled(editor_.BtnReSet_enabled);
  for (int n = 1; n <= kLastItem; ++n) {
    const EditorButton& button = editor_.BtnKMK[static_cast<size_t>(n)];
    item_buttons_[static_cast<size_t>(n)]->setText(Shown(button.caption));
    item_buttons_[static_cast<size_t>(n)]->setEnabled(button.enabled);
  }
  change_->setText(Shown(editor_.Btn変更登録.caption));
  change_->setEnabled(editor_.Btn変更登録.enabled);
  delete_->setText(Shown(editor_.Btn削除.caption));
  delete_->setEnabled(editor_.Btn削除.enabled);
}

bool SetEditorWindow::MayDiscardChanges() {
  if (!editor_.Changed) return true;
  raise();
  activateWindow();
  return editor_.MayDiscardChanges();
}

void SetEditorWindow::Unload() {
  unloading_ = true;
  close();
}

void SetEditorWindow::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  if (!editor_.BtnCansel_Click()) {
    event->ignore();
    return;
  }
  event->accept();
  if (on_closed_) on_closed_();
}

}  // namespace tessivar
