-- POSTs one form body (BENCH_BODY) to the URL given to wrk and counts the
-- replies that are not a success: an HTTP status other than 200 or a JSON
-- reply whose result_code is not 0.
wrk.method = "POST"
wrk.body = os.getenv("BENCH_BODY") or ""
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"

local threads = {}

function setup(thread)
   table.insert(threads, thread)
end

function init(args)
   failures = 0
end

function response(status, headers, body)
   if status ~= 200 or not string.find(body, '"result_code":0', 1, true) then
      failures = failures + 1
   end
end

function done(summary, latency, requests)
   local failed = 0
   for _, thread in ipairs(threads) do
      failed = failed + thread:get("failures")
   end
   local e = summary.errors
   io.write(string.format("requests/s: %.1f\n", summary.requests / (summary.duration / 1e6)))
   io.write(string.format("latency p50: %.2f ms, p99: %.2f ms, max: %.2f ms\n",
                          latency:percentile(50) / 1000, latency:percentile(99) / 1000, latency.max / 1000))
   io.write(string.format("errors: connect %d, read %d, write %d, timeout %d, failed replies %d (of %d)\n",
                          e.connect, e.read, e.write, e.timeout, failed, summary.requests))
end
