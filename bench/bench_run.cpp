// Measures the two costs the run is built around: the aggregation's one pass
// over the accounts with one heap entry per account, and the writer's lines
// without a heap allocation per line. Prints time and allocation counts; it
// asserts nothing, so numbers from different machines can be compared.
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <new>
#include <string>

#include "engine/engine.h"
#include "engine/engine_db.h"
#include "platform/host.h"
#include "platform/host_env.h"
#include "report/xml_writer.h"
#include "statements/kessansho_source.h"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
  ++g_allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// <chrono> carries literals that have no CP932 form, so the clock is read
// directly.
double Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}
double Seconds(double since) { return Now() - since; }

void BenchWriter(platform::Env& env, long lines) {
  ClXmlWriter writer;
  if (writer.Open(&env, "C:\\bench.xml") != 0) {
    std::fprintf(stderr, "cannot open the bench document\n");
    return;
  }
  writer.WriteElement(5, "Item", "1234567", "Label", "普通預金");  // warm-up
  long before = g_allocations;
  double start = Now();
  for (long i = 0; i < lines; ++i) writer.WriteElement(5, "Item", "1234567", "Label", "普通預金");
  double s = Seconds(start);
  long allocations = g_allocations - before;
  writer.Close();
  std::printf("writer: %ld lines in %.3f s (%.0f lines/s), %ld heap allocations after warm-up\n",
              lines, s, lines / s, allocations);
}

void BenchAggregation(long accounts) {
  std::string sql =
      "INSERT INTO engine_settings VALUES ('current_user', 'u');"
      "INSERT INTO users VALUES ('u', 0, 1);"
      "INSERT INTO data_sets (cursor_order, data_id, data_no, company_name, period_start,"
      " period_end) VALUES (1, 'B1', 1, 'bench', 20240101, 20241231);"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(accounts) +
      ") INSERT INTO accounts SELECT 'B1', i, i * 10000, 'account', '', 0, 1, 2156396560 FROM n;"
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(accounts) +
      ") INSERT INTO account_amounts SELECT 'B1', i, 1, 1, 10000, 0 FROM n;";
  std::string error;
  if (!engine::UseInMemoryDatabase(sql, &error) || ClLdgConnect::Inst()->Initiate() != 0) {
    std::fprintf(stderr, "bench database: %s\n", error.c_str());
    return;
  }
  StDATAINFO data{};
  rec::PutI32(data.raw, StDATAINFO::kPeriodStart, 20240101);
  rec::PutI32(data.raw, StDATAINFO::kPeriodEnd, 20241231);
  StFINDINFO window{};
  rec::PutI16(window.raw, StFINDINFO::kValue, 1);
  rec::PutI16(window.raw, StFINDINFO::kEntrySize + StFINDINFO::kValue, 12);
  AccountSumList sums;
  ClKessanshoSource source;
  source.SetSums(&sums);
  long before = g_allocations;
  double start = Now();
  int ok = source.Aggregate(0, &window, &data);
  double s = Seconds(start);
  long allocations = g_allocations - before;
  std::printf(
      "aggregation: %ld accounts in %.3f s (result %d, %zu entries), %.2f heap "
      "allocations per account\n",
      accounts, s, ok, sums.size(), static_cast<double>(allocations) / accounts);
  ClLdgConnect::Inst()->Release();
}

}  // namespace

int main(int argc, char** argv) {
  long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
  long accounts = argc > 2 ? std::atol(argv[2]) : 50000;
  char dir[] = "/tmp/stmtlink-bench-XXXXXX";
  if (!mkdtemp(dir)) return 1;
  platform::HostEnv env(platform::PathMapper({{'C', platform::DriveType::Fixed, dir}}, {}),
                        std::string(dir) + "/bench", dir);
  platform::Journal journal;
  platform::SetHost(platform::Host{&env, nullptr, nullptr, &journal});
  BenchWriter(env, lines);
  BenchAggregation(accounts);
  std::remove((std::string(dir) + "/bench.xml").c_str());
  rmdir(dir);
  return 0;
}
