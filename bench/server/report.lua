-- What every benchmark case prints: throughput, latency percentiles and
-- errors, with the failed replies each thread counted in `failures`.
local report = {}
local threads = {}

function report.setup(thread)
   table.insert(threads, thread)
end

function report.done(summary, latency, requests)
   local failed = 0
   for _, thread in ipairs(threads) do
      failed = failed + (thread:get("failures") or 0)
   end
   local e = summary.errors
   io.write(string.format("requests/s: %.1f\n", summary.requests / (summary.duration / 1e6)))
   io.write(string.format("latency p50: %.2f ms, p99: %.2f ms, max: %.2f ms\n",
                          latency:percentile(50) / 1000, latency:percentile(99) / 1000, latency.max / 1000))
   io.write(string.format("errors: connect %d, read %d, write %d, timeout %d, status %d, failed replies %d (of %d)\n",
                          e.connect, e.read, e.write, e.timeout, e.status, failed, summary.requests))
end

return report
