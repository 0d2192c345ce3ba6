#!/usr/bin/python3
"""A user without a mouse, from the login to a backup, through the accessibility bus: log in, open
the registry editor, type and save a card, create a group, open it, fill slot A from the search,
save the page and its PDF, make a backup. Only key presses; the bus is read to know where the
focus is.

    keyboard_journey.py BUILD_FOLDER UI_DRIVER

Exits 77 (skipped) when the tools of a desktop session are missing.
"""
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile

SKIPPED = 77


def missing_tools(driver):
    lost = [t for t in ('Xvfb', 'xdotool', 'dbus-launch') if not shutil.which(t)]
    if importlib.util.find_spec('pyatspi') is None:
        lost.append('python3-pyatspi')
    if not os.path.exists(driver):
        lost.append(driver)
    if not any(os.path.exists(p) for p in ('/usr/libexec/at-spi-bus-launcher',
                                           '/usr/lib/at-spi2-core/at-spi-bus-launcher')):
        lost.append('at-spi2-core')
    return lost


def main():
    build, driver = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    lost = missing_tools(driver)
    if lost:
        print('skipped, missing: ' + ', '.join(lost))
        return SKIPPED
    for program in ('src/Folvara', 'src/access/folvara-password'):
        if not os.path.exists(os.path.join(build, program)):
            raise SystemExit('build %s first' % program)
    # The program must open real windows on the private X server, whatever the tests around use.
    os.environ.pop('QT_QPA_PLATFORM', None)
    sys.path.insert(0, os.path.dirname(driver))
    import ui_driver as ui

    def reach(window, name=None, role=None, limit=120):
        """Presses Tab until the focus is on the control so named (or of that role)."""
        for _ in range(limit):
            now = ui.focused(window)
            if now is not None and (name is None or now.name == name) and (role is None or now.getRoleName() == role):
                return now
            ui.key('Tab')
        raise SystemExit('Tab never reaches %r %r in %r' % (name, role, window.name))

    def owner_takes_the_keyboard(window):
        """Xvfb has no window manager: when a dialog closes, the X focus is given back to its owner
        as a window manager would, never by a click."""
        subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', window.name, 'windowfocus', '--sync'],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10)

    def dismiss(expected, owner=None):
        """The message box that must follow, closed with Enter; then its owner has the keyboard again."""
        box = ui.alert(10)
        if box is None:
            raise SystemExit('no message %r' % expected)
        text = ui.alert_text(box)
        if expected not in text:
            raise SystemExit('message %r, expected %r' % (text, expected))
        ui.key('Return')
        if owner is not None:
            owner_takes_the_keyboard(owner)

    root = tempfile.mkdtemp(prefix='folvara-journey-')
    # The backups go beside the program folder, so both stay inside this run's folder.
    folder = os.path.join(root, 'Folvara')
    os.makedirs(folder)
    try:
        subprocess.run([os.path.join(build, 'src/access/folvara-password'), folder], check=True)
        ui.session(os.path.join(build, 'src/Folvara'), folder, display=':%d' % (200 + os.getpid() % 700))

        # Login.
        login = ui.win('Accesso', 15)
        reach(login, 'Password')
        ui.typekeys('benvenuto')
        ui.key('Return')
        launcher = ui.launcher(10)

        # A new card in the registry editor, saved with Ctrl+S.
        reach(launcher, 'ARCHIVIO ANAGRAFICO')
        ui.key('Return')
        editor = ui.win('Archivio Anagrafico', 10)
        for field, text in (('Cognome e nome', 'Rossi Mario'), ('Sesso', 'M'), ('E-mail', 'mario@rossi.it'),
                            ('Tel. cellulare', '3331234567'), ('Ruolo nel gruppo', 'Animatore')):
            reach(editor, field, 'text')
            ui.typekeys(text)
        ui.key('ctrl+s')
        dismiss('inserita')
        size = os.path.getsize(os.path.join(folder, 'Archivio_Anagrafico.fvd'))
        if size != 3612:
            raise SystemExit('the registry holds %d bytes, not one card' % size)
        ui.key('Escape')
        launcher = ui.launcher(10)

        # A new group.
        reach(launcher, 'CREA NUOVO GRUPPO')
        ui.key('Return')
        ui.win('Creazione nuovo gruppo', 10)
        ui.typekeys('Gita')
        ui.key('Return')
        dismiss('creato con successo')
        group = os.path.join(folder, 'Gita.fvg')
        if not os.path.exists(group):
            raise SystemExit('the group file was not made')
        launcher = ui.launcher(10)

        # Opened from the list with Enter.
        reach(launcher, 'APRI GRUPPO ESISTENTE')
        ui.key('Return')
        opening = ui.win('Apertura gruppo', 10)
        reach(opening, 'Elenco dei gruppi')
        ui.key('Return')
        page = ui.win('Schedario Gruppo', 10)

        # Slot A from the search: Cerca with no filter finds the card, Enter picks it.
        reach(page, "Importa dall'archivio nello spazio A")
        ui.key('Return')
        search = ui.win('Trova schede', 10)
        reach(search, 'Cerca', 'push button')
        ui.key('space')
        reach(search, 'Elenco delle schede', 'list')
        ui.key('Return')
        page = ui.win('Schedario Gruppo', 10)
        owner_takes_the_keyboard(page)
        # The search fills every field but the notes, which the page asks for.
        reach(page, 'Note A', 'text')
        ui.typekeys('Capogruppo')
        ui.key('ctrl+s')
        dismiss('inserita', page)
        size = os.path.getsize(group)
        if size != 5000:
            raise SystemExit('the group holds %d bytes, not one page' % size)
        with open(group, 'rb') as f:
            if b'Rossi Mario' not in f.read():
                raise SystemExit('slot A does not hold the card found')

        # Its PDF, from the print screen; the file dialog takes a typed path.
        ui.key('ctrl+p')
        printing = ui.win('Stampa scheda', 10)
        reach(printing, 'Salva PDF', 'push button')
        ui.key('space')
        ui.win('Salva PDF', 10)
        pdf = os.path.join(root, 'pagina.pdf')
        ui.key('ctrl+a')
        ui.typekeys(pdf)
        ui.key('Return')
        box = ui.alert(30)
        if box is None or 'salvato' not in ui.alert_text(box):
            raise SystemExit('no word of the PDF saved')
        reach(box, 'No', 'push button')
        ui.key('space')
        if not os.path.exists(pdf):
            raise SystemExit('no PDF at %s' % pdf)
        # The print screen closes once the PDF is saved.
        page = ui.win('Schedario Gruppo', 10)
        owner_takes_the_keyboard(page)
        ui.key('Escape')
        launcher = ui.launcher(10)

        # A backup, into the default folder beside the program folder.
        copies = os.path.join(root, 'Folvara_backup')
        os.makedirs(copies)
        reach(launcher, 'Backup')
        ui.key('Return')
        backup = ui.win('Backup e ripristino', 10)
        reach(backup, 'Esegui backup', 'push button')
        ui.key('space')
        dismiss('Backup eseguito')
        if not any(name.endswith('.zip') for name in os.listdir(copies)):
            raise SystemExit('no backup in %s' % copies)
        print('journey done by keyboard alone')
        return 0
    finally:
        shutil.rmtree(root, ignore_errors=True)


if __name__ == '__main__':
    sys.exit(main())
