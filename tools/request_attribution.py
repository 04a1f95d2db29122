"""Attributes the server requests of a Wine program's busiest thread to the
calls its own modules made, from one file holding both the relay trace
(WINEDEBUG=+relay) and the server's request trace (wineserver -d1).

  request_attribution.py Kelvra.dll=BASE:SIZE ... -- PAGE_FEWER PAGE_MORE BARE_FEWER BARE_MORE

Each request goes to the innermost open call made from one of the named
modules ("DialogBoxParamA" itself means the dialog manager and the controls'
own work). Each of page and bare dialog comes as two runs, with fewer and
more openings; their difference gives what one opening asks. Prints per
opening, for the page against its bare dialog, the calls whose requests
differ most.
"""
import collections
import re
import sys

CALL = re.compile(r"^([0-9a-f]{4}):(Call|Ret)\s+([\w.]+)\((.*?)\)(?: ret=([0-9a-f]+))?")
REQUEST = re.compile(r"^([0-9a-f]{4}): ([a-z_]+)\(")
OPENING = "user32.DialogBoxParamA"
# Where a sent message's number stands among the call's arguments.
MESSAGE_ARGUMENT = {"user32.SendMessageA": 1, "user32.SendDlgItemMessageA": 2}


def named(function, arguments):
    position = MESSAGE_ARGUMENT.get(function)
    if position is None:
        return function
    return f"{function} message {int(arguments.split(',')[position], 16):#06x}"


def attribute(path, ranges):
    stacks = collections.defaultdict(list)
    requests = collections.defaultdict(collections.Counter)
    openings = collections.Counter()
    for line in open(path, errors="replace"):
        call = CALL.match(line)
        if call:
            thread, kind, function, arguments, ret = call.groups()
            stack = stacks[thread]
            if kind == "Call":
                ours = ret is not None and any(lo <= int(ret, 16) < hi for lo, hi in ranges)
                stack.append((function, ours, named(function, arguments)))
                openings[thread] += ours and function == OPENING
            else:
                while stack and stack[-1][0] != function:
                    stack.pop()
                if stack:
                    stack.pop()
            continue
        request = REQUEST.match(line)
        if request:
            thread = request.group(1)
            ours = [name for _, made_by_us, name in stacks[thread] if made_by_us]
            requests[thread][ours[-1] if ours else "(outside our calls)"] += 1
    thread = max(requests, key=lambda t: sum(requests[t].values()))
    return requests[thread], openings[thread]


def per_opening(fewer, more, ranges):
    (calls, opened), (more_calls, more_opened) = (attribute(p, ranges) for p in (fewer, more))
    return {
        call: (more_calls[call] - calls[call]) / (more_opened - opened)
        for call in set(calls) | set(more_calls)
    }


def main(argv):
    split = argv.index("--")
    ranges = []
    for module in argv[1:split]:
        base, size = module.split("=", 1)[1].split(":")
        ranges.append((int(base, 16), int(base, 16) + int(size, 16)))
    logs = argv[split + 1 :]
    page, bare = per_opening(*logs[0:2], ranges), per_opening(*logs[2:4], ranges)
    print(f"requests per opening: page {sum(page.values()):.0f}, "
          f"bare dialog {sum(bare.values()):.0f}")
    rows = sorted(set(page) | set(bare), key=lambda c: bare.get(c, 0) - page.get(c, 0))
    print(f"{'page':>8} {'bare':>8}  call")
    for call in rows[:25]:
        if page.get(call, 0) - bare.get(call, 0) >= 1:
            print(f"{page.get(call, 0):8.1f} {bare.get(call, 0):8.1f}  {call}")


if __name__ == "__main__":
    main(sys.argv)
