#!/usr/bin/python3
"""Reads the running Kestrune through AT-SPI, as a screen reader does.

  atspi_reader.py controls          checks every control's name and role; prints the display's text
  atspi_reader.py fields            checks that the fields keep their names and captions; prints
                                    their values
  atspi_reader.py text              prints the display's text
  atspi_reader.py where NAME        prints the centre of the control named NAME, in screen pixels
  atspi_reader.py listen FILE       writes each event a screen reader would hear to FILE, one a line:
                                    milliseconds of the wall clock, event, role, name, text
A check that fails prints why and exits 1.
"""
import sys
import time

import pyatspi


# Roles by kind; their names changed between at-spi2 releases ("push button" became "button").
ROLES = {
    "frame": {pyatspi.ROLE_FRAME},
    "button": {pyatspi.ROLE_PUSH_BUTTON},
    "label": {pyatspi.ROLE_LABEL},
    "combo box": {pyatspi.ROLE_COMBO_BOX},
    "text": {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY},
    "progress bar": {pyatspi.ROLE_PROGRESS_BAR},
    "notification": {pyatspi.ROLE_NOTIFICATION},
}


def kind(accessible):
    role = accessible.getRole()
    return next((k for k, roles in ROLES.items() if role in roles), accessible.getRoleName())


def fail(why):
    print(f"screen reader: {why}", file=sys.stderr)
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for _ in range(100):
        for app in desktop:
            if app is not None and app.name == "kestrune":
                return app
        time.sleep(0.1)
    fail("kestrune is not on the accessibility bus")


def frame():
    app = application()
    frames = [child for child in app if child is not None]
    if len(frames) != 1:
        fail(f"{len(frames)} top-level objects, not 1")
    window = frames[0]
    if kind(window) != "frame" or window.name != "Kestrune":
        fail(f"the window is a {kind(window)} named {window.name!r}, not a frame named Kestrune")
    return window


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(window, role, name):
    found = [a for a in descendants(window) if kind(a) == role and a.name == name]
    if len(found) != 1:
        roles = sorted({(kind(a), a.name) for a in descendants(window)})
        fail(f"{len(found)} {role} named {name!r}; the window has {roles}")
    return found[0]


def text_of(accessible):
    try:
        text = accessible.queryText()
    except NotImplementedError:
        fail(f"{kind(accessible)} {accessible.name!r} offers no text")
    return text.getText(0, -1)


def display(window):
    return find(window, "label", "剩余时间")


def labelled_by(accessible):
    for relation in accessible.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            return [relation.getTarget(i).name for i in range(relation.getNTargets())]
    return []


FIELDS = [("combo box", "小时", "小时"), ("combo box", "分", "分"), ("combo box", "秒", "秒"),
          ("text", "姓名", "姓名")]


def check_controls():
    window = frame()
    for name in ["开始", "暂停", "恢复", "退出", "试敏", "体温"]:
        find(window, "button", name)
    find(window, "progress bar", "进度")
    for role, name, _ in FIELDS:
        find(window, role, name)
    print(text_of(display(window)))


def check_fields():
    window = frame()
    values = []
    for role, name, caption in FIELDS:
        field = find(window, role, name)
        if labelled_by(field) != [caption]:
            fail(f"{name} is labelled by {labelled_by(field)}, not by its caption {caption}")
        # A list box's typed text is in its edit part.
        edit = field if role == "text" else next(
            (c for c in descendants(field) if kind(c) == "text"), None)
        if edit is None:
            fail(f"{name} has no edit part")
        values.append(text_of(edit) or "-")
    print(" ".join(values))


def where(name):
    window = frame()
    found = [a for a in descendants(window) if a.name == name]
    if not found:
        fail(f"nothing named {name!r}")
    box = found[0].queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(box.x + box.width // 2, box.y + box.height // 2)


def listen(path):
    out = open(path, "w", buffering=1, encoding="utf-8")

    def heard(event):
        source = event.source
        try:
            role, name = kind(source), source.name
            try:
                text = source.queryText().getText(0, -1)
            except NotImplementedError:
                text = ""
        except Exception:  # the object may be gone already
            role, name, text = "?", "?", ""
        out.write(f"{int(time.time() * 1000)}\t{event.type}\t{event.detail1}\t{role}\t{name}\t{text}\n")

    for event_type in ["object:state-changed:showing", "object:state-changed:focused",
                 "object:text-changed", "object:property-change:accessible-name",
                 "object:property-change:accessible-description", "object:announcement",
                 "window:activate"]:
        pyatspi.Registry.registerEventListener(heard, event_type)
    application()
    out.write("ready\n")
    pyatspi.Registry.start()


def main():
    command = sys.argv[1:2]
    if command == ["controls"]:
        check_controls()
    elif command == ["fields"]:
        check_fields()
    elif command == ["text"]:
        print(text_of(display(frame())))
    elif command == ["where"]:
        where(sys.argv[2])
    elif command == ["listen"]:
        listen(sys.argv[2])
    else:
        print(__doc__, file=sys.stderr)
        sys.exit(2)


if __name__ == "__main__":
    main()
