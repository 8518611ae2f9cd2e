// The create/free cycle of the page on the headless backend, so that regressions show without Wine;
// a window of the toolkit with no components is the reference.
#include <benchmark/benchmark.h>

#include "Namtail.h"
#include "platform/form/Form.h"
#include "platform/headless/Headless.h"

namespace {

const platform::FormDescription kEmpty = {"frmEmpty", nullptr, {}, {}};

class EmptyForm : public platform::Form {
    friend class platform::Form;
    EmptyForm() : Form(kEmpty) {}
};

void PageCreateFree(benchmark::State& state) {
    platform::headless::SetMessageBoxHandler(
        [](const platform::headless::MessageBoxRequest&) { return false; });
    for (auto _ : state) {
        ModulCreate(40, 40, 298, 455, 13, 1, "Alias names", "", 4096, 1);
        ModulFree();
    }
}
BENCHMARK(PageCreateFree);

void EmptyWindowCreateFree(benchmark::State& state) {
    for (auto _ : state) {
        auto form = platform::Form::Create<EmptyForm>();
        form->Show();
        benchmark::DoNotOptimize(form.get());
    }
}
BENCHMARK(EmptyWindowCreateFree);

}  // namespace

BENCHMARK_MAIN();
