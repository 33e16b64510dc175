-- Concurrent writers: run with as many threads as connections, so each
-- connection is one thread with a member of its own (BENCH_MEMBERS lists
-- "user_id:session" per thread) and sends its calls strictly one after the
-- other: put the product in the cart, add a food of their own, pay, take
-- the product out of the cart again. Every reply must be a success.
local report = dofile(os.getenv("BENCH_DIR") .. "/report.lua")
local product = os.getenv("BENCH_PRODUCT") or "101"
local price = os.getenv("BENCH_PRICE") or "0.00"
local product_type = os.getenv("BENCH_PRODUCT_TYPE") or "WORKOUT"

local members = {}
for entry in string.gmatch(os.getenv("BENCH_MEMBERS") or "", "[^,]+") do
   table.insert(members, entry)
end
local next_member = 1

function setup(thread)
   report.setup(thread)
   thread:set("member", members[next_member] or "")
   next_member = next_member + 1
end

function init(args)
   failures = 0
   step = 0
   local id, cookie = string.match(member, "([^:]+):(.+)")
   user_id = id
   headers = { ["Content-Type"] = "application/x-www-form-urlencoded",
               ["Cookie"] = "olva_session=" .. (cookie or "") }
end

local function call(endpoint, body)
   return wrk.format("POST", "/api/" .. endpoint, headers, body)
end

-- The step moves on with each reply, not with each request(): wrk may ask
-- for a request it never sends.
function request()
   local kind = (step + 1) % 4
   if kind == 1 then
      return call("setCheckout", "user_id=" .. user_id .. "&product_id=" .. product .. "&quantity=1&ebook=0")
   elseif kind == 2 then
      return call("uploadMyCalorie", "user_id=" .. user_id ..
                  "&category_id=1&title=Bench%20bread&cal=80&carbs=15&fat=1&protein=3&fiber=1")
   elseif kind == 3 then
      return call("paymentProcess", "pay_type=manual&productID=" .. product .. "&type=" .. product_type ..
                  "&user_id=" .. user_id .. "&cardNumber=4242424242424242&expirationDate=" ..
                  (os.date("*t").year + 1) .. "-06&cardCode=123&amount=" .. price)
   else
      return call("removeCheckout", "user_id=" .. user_id .. "&product_id=" .. product)
   end
end

function response(status, headers, body)
   step = step + 1
   if status ~= 200 or not string.find(body, '"result_code":0', 1, true) then
      failures = failures + 1
      if failures <= 3 then
         io.stderr:write("failed: " .. string.sub(body, 1, 160) .. "\n")
      end
   end
end

done = report.done
