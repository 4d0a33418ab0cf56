// The main window at each catalogue size, offscreen, driven through its real widgets: start-up
// until the window is shown with its list filled, a click in the list, one find-as-you-type
// keystroke, and the erase of a unit from the list with the list's reload. The floor of reading
// the catalogue runs in the same process, so that the ratios compare figures of one run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <QWindow>

#include "app/start_up.h"
#include "bench/bench_catalogues.h"
#include "bench/file_floor.h"
#include "calc/power_vector.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_catalogue.h"
#include "ui/calpero_application.h"
#include "ui/main_form.h"
#include "ui/xdg_help_shell.h"

namespace calpero {
namespace {

// Makes the catalogue's workspace the working directory, where the window looks for
// Data/data.ini, for the lifetime of the object.
class InWorkspace {
 public:
  explicit InWorkspace(std::size_t units) : previous_(QDir::currentPath()) {
    BenchCatalogue(units);
    QDir::setCurrent(QString::fromStdString(BenchWorkspace(units).string()));
  }
  ~InWorkspace() { QDir::setCurrent(previous_); }
  InWorkspace(const InWorkspace&) = delete;
  InWorkspace& operator=(const InWorkspace&) = delete;

 private:
  QString previous_;
};

// Shows the window and handles events until it is exposed and has painted, without the sleeps
// of QTest's waiting functions.
void ShowAndPaint(TMainForm& form) {
  form.show();
  while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
}

std::unique_ptr<TMainForm> OpenForm() {
  auto form = std::make_unique<TMainForm>(std::make_unique<TXdgHelpShell>());
  ShowAndPaint(*form);
  return form;
}

std::size_t Units(const benchmark::State& state) {
  return static_cast<std::size_t>(state.range(0));
}

void Floor_ReadAndFindLineEnds(benchmark::State& state) {
  const GeneratedCatalogue& catalogue = BenchCatalogue(Units(state));
  for (auto _ : state) {
    const FileBytes bytes = ReadFileFloor(catalogue.Path());
    benchmark::DoNotOptimize(CountLineEnds(bytes.View()));
  }
}

void Window_StartUp(benchmark::State& state) {
  const InWorkspace workspace(Units(state));
  std::int64_t listed = 0;
  for (auto _ : state) {
    auto form = std::make_unique<TMainForm>(std::make_unique<TXdgHelpShell>());
    ShowAndPaint(*form);
    state.PauseTiming();
    listed = form->Controls().UnitsListBox->count();
    form->close();
    form.reset();
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  if (listed != state.range(0)) {
    state.SkipWithError("the list does not hold every unit");
  }
}

// Clicks the item of the catalogue's last unit, so that its powers are looked for through the
// whole file.
void Window_ListClick(benchmark::State& state) {
  const InWorkspace workspace(Units(state));
  const std::unique_ptr<TMainForm> form = OpenForm();
  TUnitListBox* list = form->Controls().UnitsListBox;
  const std::string name = BenchCatalogue(Units(state)).Names().back();
  const std::vector<std::string> listed = list->Names();
  const auto row = static_cast<int>(std::find(listed.begin(), listed.end(), name) - listed.begin());
  list->SetCurrentIndex(static_cast<std::size_t>(row));
  QCoreApplication::processEvents();
  const QPoint at = list->visualItemRect(row).center();
  std::int64_t clicks = 0;
  QObject::connect(list, &TUnitListBox::UserSelected, [&clicks] { ++clicks; });
  for (auto _ : state) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
  }
  const QString shown =
      QString::fromStdString(FormatPower(UnitCatalogue().ReadPower(name, "Time")));
  if (clicks != state.iterations() || form->Controls().TimeLabel->text() != shown) {
    state.SkipWithError("not every click read the unit's powers");
  }
  form->close();
}

// Alternates typing the last character of the name listed last and taking it back: either way
// the find looks through nearly the whole list.
void Window_FindKeystroke(benchmark::State& state) {
  const InWorkspace workspace(Units(state));
  const std::unique_ptr<TMainForm> form = OpenForm();
  QLineEdit* find = form->Controls().FindEdit;
  const std::string last = BenchCatalogue(Units(state)).LastListedName();
  find->setFocus();
  find->setText(QString::fromStdString(last.substr(0, last.size() - 1)));
  bool typed = false;
  for (auto _ : state) {
    if (typed) {
      QTest::keyClick(find, Qt::Key_Backspace);
    } else {
      QTest::keyClick(find, last.back());
    }
    typed = !typed;
  }
  if (!typed) {
    QTest::keyClick(find, last.back());
  }
  if (form->Controls().UnitsListBox->CurrentName() != last) {
    state.SkipWithError("the find did not select the last unit");
  }
  form->close();
}

// "Delete" on the middle unit of the list: the erase and the reload of the list. The catalogue
// and the list are put back outside the timing, through the window's own undo (a restore would
// leave the history two whole copies of the catalogue each time, which no user makes a hundred
// times over).
void Window_EraseAndReload(benchmark::State& state) {
  const InWorkspace workspace(Units(state));
  const GeneratedCatalogue& catalogue = BenchCatalogue(Units(state));
  std::filesystem::copy_file(catalogue.Path(), "Backup/data.ini",
                             std::filesystem::copy_options::overwrite_existing);
  const std::unique_ptr<TMainForm> form = OpenForm();
  TUnitListBox* list = form->Controls().UnitsListBox;
  const std::size_t middle = static_cast<std::size_t>(list->count()) / 2;
  for (auto _ : state) {
    list->SetCurrentIndex(middle);
    form->Label6ContextPopup(list);
    form->Delete1Click();
    state.PauseTiming();
    if (list->count() != state.range(0) - 1) {
      state.SkipWithError("the unit was not erased from the list");
    }
    form->UndoChange();
    state.ResumeTiming();
  }
  form->close();
}

void BySize(benchmark::internal::Benchmark* bench) {
  for (const std::size_t units : kCatalogueSizes) {
    bench->Arg(static_cast<std::int64_t>(units));
  }
  bench->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(Floor_ReadAndFindLineEnds)->Apply(BySize);
BENCHMARK(Window_StartUp)->Arg(0)->Apply(BySize);
BENCHMARK(Window_ListClick)->Apply(BySize);
BENCHMARK(Window_FindKeystroke)->Apply(BySize);
BENCHMARK(Window_EraseAndReload)->Apply(BySize);

}  // namespace
}  // namespace calpero

int main(int argc, char** argv) {
  // As both programs do, so that the window works on the same terms as the program's own.
  calpero::KeepLargeBlocksInTheHeap();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  benchmark::Initialize(&argc, argv);
  calpero::TCalperoApplication application(argc, argv);
  // The stored and shown forms of the generated powers do not depend on the user's locale.
  calpero::SetDecimalSeparator(".");
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
