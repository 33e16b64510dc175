-- POSTs one form body (BENCH_BODY) to the URL given to wrk, with the
-- session cookie BENCH_COOKIE when set, and counts the replies that are
-- not a success: an HTTP status other than 200 or a JSON reply whose
-- result_code is not 0.
wrk.method = "POST"
wrk.body = os.getenv("BENCH_BODY") or ""
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
local cookie = os.getenv("BENCH_COOKIE")
if cookie and cookie ~= "" then
   wrk.headers["Cookie"] = "olva_session=" .. cookie
end

local report = dofile(os.getenv("BENCH_DIR") .. "/report.lua")

function setup(thread)
   report.setup(thread)
end

function init(args)
   failures = 0
end

function response(status, headers, body)
   if status ~= 200 or not string.find(body, '"result_code":0', 1, true) then
      failures = failures + 1
   end
end

done = report.done
