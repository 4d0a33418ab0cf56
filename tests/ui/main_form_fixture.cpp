#include "main_form_fixture.h"

#include <QApplication>
#include <QFile>
#include <QTest>

namespace calpero::testing {

const char* const kSampleCatalogue =
    "[Newton]\nMass=1\nLength=1\nTemperature=0\nTime=-2\n"
    "[metre]\nMass=0\nLength=1\nTemperature=0\nTime=0\n"
    "[Kelvin]\nMass=0\nLength=0\nTemperature=1\nTime=0\n"
    "[Second]\nMass=0\nLength=0\nTemperature=0\nTime=1\n"
    "[Area]\nMass=0\nLength=2\nTemperature=0\nTime=0\n"
    "[Half]\nMass=0.5\nLength=-1.5\nTemperature=0\n";

MainFormTest::MainFormTest() { QDir().mkdir(QStringLiteral("Backup")); }

MainFormTest::~MainFormTest() {
  if (form_) {
    form_->close();
    form_.reset();
  }
}

void MainFormTest::WriteCatalogue(const std::string& bytes) {
  QFile file(PathOf(QStringLiteral("Data/data.ini")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string MainFormTest::CatalogueBytes() const {
  QFile file(PathOf(QStringLiteral("Data/data.ini")));
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  return file.readAll().toStdString();
}

void MainFormTest::OpenForm() {
  auto shell = std::make_unique<FakeHelpShell>();
  shell_ = shell.get();
  form_ = std::make_unique<TMainForm>(std::move(shell));
  form_->show();
  form_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
}

QStringList MainFormTest::ResultRow() const {
  return {C().rMLabel->text(), C().rLLabel->text(), C().rTempLabel->text(), C().rTimeLabel->text()};
}

QStringList MainFormTest::UnitRow() const {
  return {C().MLabel->text(), C().LLabel->text(), C().TempLabel->text(), C().TimeLabel->text()};
}

QStringList MainFormTest::ListItems() const {
  QStringList items;
  for (int row = 0; row < C().UnitsListBox->count(); ++row) {
    items << C().UnitsListBox->ItemText(row);
  }
  return items;
}

QString MainFormTest::CurrentItem() const {
  const auto index = C().UnitsListBox->CurrentIndex();
  return index ? C().UnitsListBox->ItemText(static_cast<int>(*index)) : QStringLiteral("(none)");
}

void MainFormTest::ClickListItem(int row) {
  TUnitListBox* list = C().UnitsListBox;
  const QPoint at = list->visualItemRect(row).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

void MainFormTest::Drag(QWidget* from, QPoint fromAt, QWidget* to, QPoint toAt) {
  QTest::mousePress(from, Qt::LeftButton, {}, fromAt);
  const QPoint start = from->mapToGlobal(fromAt);
  const QPoint end = to->mapToGlobal(toAt);
  constexpr int kSteps = 4;
  for (int step = 1; step <= kSteps; ++step) {
    const QPoint global = start + (end - start) * step / kSteps;
    QTest::mouseMove(form_.get(), form_->mapFromGlobal(global));
  }
  QTest::mouseRelease(to, Qt::LeftButton, {}, toAt);
}

void MainFormTest::DragListItem(int row, QWidget* to, QPoint toAt) {
  TUnitListBox* list = C().UnitsListBox;
  Drag(list->viewport(), list->visualItemRect(row).center(), to, toAt);
}

void MainFormTest::Click(QWidget* button) {
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void MainFormTest::Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QTest::keyClick(focus, key, modifiers);
}

std::vector<TTokenLabel*> MainFormTest::TokensIn(THolder holder) const {
  std::vector<TTokenLabel*> widgets;
  for (const TUnitToken* token : form_->WorkArea().TokensIn(holder)) {
    widgets.push_back(form_->TokenWidget(token->Id));
  }
  return widgets;
}

}  // namespace calpero::testing
