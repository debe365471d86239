// Driver exchange throughput: status requests per second through the program's channel
// (CDriverChannel over CWin32DriverTransport) against a raw loop of CallNamedPipeA on the same
// stand-in driver. Blocks of the two alternate, so both see the same machine.
//   bench_exchange.exe [--requests N] [--rounds R]
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "bench/bench_stats.h"
#include "driver/driver_channel.h"
#include "driver/win32/win32_driver_transport.h"

namespace {

constexpr DWORD kExchangeBytes = 6132;

// Requests per second of `n` status requests through the channel; 0 when one failed.
double ChannelRate(velmora::CDriverChannel& channel, int n) {
  const double start = bench::NowMs();
  for (int i = 0; i < n; ++i) {
    velmora::DriverStatus status;
    if (channel.QueryStatus(&status) != 0 || status.versionBuild != 370) return 0;
  }
  return n * 1000.0 / (bench::NowMs() - start);
}

// The same requests as bare pipe transactions: one call opens, sends, reads and closes.
double RawRate(int n) {
  static std::int32_t request[kExchangeBytes / 4];
  static std::int32_t reply[kExchangeBytes / 4];
  const double start = bench::NowMs();
  for (int i = 0; i < n; ++i) {
    request[0] = 1;
    DWORD got = 0;
    if (!CallNamedPipeA(velmora::kDriverPipePath, request, kExchangeBytes, reply, kExchangeBytes, &got, 5000) ||
        got < 24 || reply[0] != 0 || reply[4] != 370) {
      return 0;
    }
  }
  return n * 1000.0 / (bench::NowMs() - start);
}

}  // namespace

int main(int argc, char** argv) {
  const int requests = bench::IntOption(argc, argv, "--requests", 500);
  const int rounds = bench::IntOption(argc, argv, "--rounds", 7);
  velmora::CWin32DriverTransport transport;
  velmora::CDriverChannel channel(transport);

  // Warm-up: both paths once, not counted.
  if (ChannelRate(channel, requests / 5 + 1) == 0 || RawRate(requests / 5 + 1) == 0) {
    std::fprintf(stderr, "bench_exchange: the stand-in driver does not answer on %s\n", velmora::kDriverPipePath);
    return 2;
  }
  std::vector<double> channelRates, rawRates, paired;
  for (int r = 0; r < rounds; ++r) {
    double c = 0, w = 0;
    if (r % 2 == 0) {
      c = ChannelRate(channel, requests);
      w = RawRate(requests);
    } else {
      w = RawRate(requests);
      c = ChannelRate(channel, requests);
    }
    if (c == 0 || w == 0) {
      std::fprintf(stderr, "bench_exchange: a request failed in round %d\n", r + 1);
      return 2;
    }
    channelRates.push_back(c);
    rawRates.push_back(w);
    paired.push_back(c / w);
  }
  const double c = bench::Median(channelRates), w = bench::Median(rawRates);
  std::printf("driver exchange (%d rounds of %d status requests each, medians)\n", rounds, requests);
  std::printf("  CDriverChannel        %8.0f requests/s  (%.0f-%.0f)\n", c, bench::Min(channelRates),
              bench::Max(channelRates));
  std::printf("  raw CallNamedPipeA    %8.0f requests/s  (%.0f-%.0f)\n", w, bench::Min(rawRates), bench::Max(rawRates));
  std::printf("  ratio channel/raw     %8.3f  (paired median %.3f; target >= 0.95)\n", c / w, bench::Median(paired));
  return 0;
}
