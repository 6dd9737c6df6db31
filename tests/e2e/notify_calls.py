#!/usr/bin/env python3
"""Lists the notification calls in a dbus-monitor log, one line each, in order:

  Notify REPLACES_ID ID BODY       the id the call asked to replace, the id the server answered
                                   (- while unanswered) and the body, its newlines shown as "|"
  CloseNotification ID

Usage: notify_calls.py LOG, where LOG is what `dbus-monitor --session
"type='method_call',interface='org.freedesktop.Notifications'" "type='method_return'"` wrote.
"""
import re
import sys


def messages(text):
    """Each message: its header line and the text of its arguments."""
    # A string's own newlines start lines too.
    for block in re.split(r"\n(?=(?:method call|method return|signal|error) )", text):
        header, _, args = block.partition("\n")
        yield header, args


def main():
    calls, notify_at = [], {}
    for header, args in messages(open(sys.argv[1], encoding="utf-8").read()):
        serial = re.search(r" serial=(\d+)", header)
        if header.startswith("method call") and header.endswith("member=Notify"):
            strings = re.findall(r'^   string "(.*?)"$', args, re.M | re.S)
            replaces = re.search(r"^   uint32 (\d+)$", args, re.M).group(1)
            notify_at[serial.group(1)] = len(calls)
            calls.append(["Notify", replaces, "-", strings[3].replace("\n", "|")])
        elif header.startswith("method call") and header.endswith("member=CloseNotification"):
            calls.append(["CloseNotification", re.search(r"uint32 (\d+)", args).group(1)])
        elif header.startswith("method return"):
            answered = re.search(r"reply_serial=(\d+)", header).group(1)
            if answered in notify_at:
                calls[notify_at[answered]][2] = re.search(r"uint32 (\d+)", args).group(1)
    for call in calls:
        print(" ".join(call))


if __name__ == "__main__":
    main()
