-- GETs the URL given to wrk (nginx serving a saved reply) and counts the
-- replies other than 200.
local report = dofile(os.getenv("BENCH_DIR") .. "/report.lua")

function setup(thread)
   report.setup(thread)
end

function init(args)
   failures = 0
end

function response(status, headers, body)
   if status ~= 200 then
      failures = failures + 1
   end
end

done = report.done
