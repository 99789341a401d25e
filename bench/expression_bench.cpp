// Times the translation of every assignment and call statement of a program:
// the front passes of the pipeline, then each main-program statement through
// the expression translator. Prints the times in milliseconds.
//   corvel_bench_expressions PROGRAM.txt
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "driver/heap.h"
#include "driver/pipeline.h"
#include "expr/expression.h"
#include "source/token_codes.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM.txt\n", argv[0]);
    return 2;
  }
  namespace fs = std::filesystem;
  corvel::PrepareHeap();
  corvel::TranslationContext ctx;
  int reports = 0;
  ctx.reporter = [&](std::string_view, std::string_view text) {
    if (++reports == 1) std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
  };
  corvel::CompileInputs inputs;
  const fs::path source(argv[1]);
  inputs.sourceDir = source.parent_path().empty() ? "." : source.parent_path().string();
  inputs.sourceFileName = source.filename().string();
  inputs.outputDir = inputs.sourceDir;

  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  if (corvel::CompileProgram(ctx, inputs) != corvel::CompileResult::kTranslated) return 1;
  const auto front = Clock::now();
  int translated = 0;
  for (size_t i = 0; i < ctx.statements.size(); ++i) {
    if (ctx.statements[i].area != 400 || ctx.statements[i].kind != corvel::kKindOrdinary) continue;
    if (corvel::TranslateStatementExpression(ctx, static_cast<int16_t>(i)) != 0) return 1;
    ++translated;
  }
  const auto end = Clock::now();
  const std::chrono::duration<double, std::milli> front_ms = front - start;
  const std::chrono::duration<double, std::milli> statements_ms = end - front;
  std::printf("front passes: %.3f ms\nstatements: %.3f ms (%d)\ntotal: %.3f ms\n", front_ms.count(),
              statements_ms.count(), translated, front_ms.count() + statements_ms.count());
  return 0;
}
