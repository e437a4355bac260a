<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ApplicationShell</name>
    <message>
        <source>Unknown Error!</source>
        <translation>Unbekannter Fehler!</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>The Qt platform plugin that shows the window, such as xcb, wayland or offscreen.</source>
        <translation>Das Plattform-Plugin von Qt, das das Fenster anzeigt, etwa xcb, wayland oder offscreen.</translation>
    </message>
    <message>
        <source>Where Qt looks for platform plugins.</source>
        <translation>Der Ordner, in dem Qt nach Plattform-Plugins sucht.</translation>
    </message>
    <message>
        <source>The Qt platform theme.</source>
        <translation>Das Plattform-Theme von Qt.</translation>
    </message>
    <message>
        <source>A further Qt plugin to load; may be given more than once.</source>
        <translation>Ein weiteres Qt-Plugin, das geladen wird; kann mehrfach angegeben werden.</translation>
    </message>
    <message>
        <source>The window&apos;s place in X11&apos;s form, such as +50+50.</source>
        <translation>Die Position des Fensters in der Schreibweise von X11, etwa +50+50.</translation>
    </message>
    <message>
        <source>The window&apos;s icon.</source>
        <translation>Das Symbol des Fensters.</translation>
    </message>
    <message>
        <source>The window&apos;s title.</source>
        <translation>Der Titel des Fensters.</translation>
    </message>
    <message>
        <source>Lays the window out from right to left.</source>
        <translation>Ordnet den Inhalt des Fensters von rechts nach links an.</translation>
    </message>
    <message>
        <source>Restores the program from a session of the desktop&apos;s.</source>
        <translation>Stellt das Programm aus einer Sitzung der Arbeitsumgebung wieder her.</translation>
    </message>
    <message>
        <source>The widget style, such as Fusion.</source>
        <translation>Der Widget-Stil, etwa Fusion.</translation>
    </message>
    <message>
        <source>A Qt style sheet for the window.</source>
        <translation>Ein Qt-Stylesheet für das Fenster.</translation>
    </message>
    <message>
        <source>Prints at the end how many widgets were left.</source>
        <translation>Gibt am Ende aus, wie viele Widgets übrig geblieben sind.</translation>
    </message>
    <message>
        <source>Qt&apos;s QML debugger; the program has no QML.</source>
        <translation>Der QML-Debugger von Qt; das Programm enthält kein QML.</translation>
    </message>
    <message>
        <source>X11: the display, in place of $DISPLAY.</source>
        <translation>X11: die Anzeige, anstelle von $DISPLAY.</translation>
    </message>
    <message>
        <source>X11: the program&apos;s instance name.</source>
        <translation>X11: der Instanzname des Programms.</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowgeometry.</source>
        <translation>X11: dasselbe wie --qwindowgeometry.</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowicon.</source>
        <translation>X11: dasselbe wie --qwindowicon.</translation>
    </message>
    <message>
        <source>X11: the same as --qwindowtitle.</source>
        <translation>X11: dasselbe wie --qwindowtitle.</translation>
    </message>
    <message>
        <source>X11: the visual to use.</source>
        <translation>X11: das zu verwendende Visual.</translation>
    </message>
    <message>
        <source>X11: grabs no mouse (for debuggers).</source>
        <translation>X11: fängt die Maus nicht ein (für Debugger).</translation>
    </message>
    <message>
        <source>X11: grabs the mouse even in a debugger.</source>
        <translation>X11: fängt die Maus auch in einem Debugger ein.</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>Zeigt Hilfe zu den Kommandozeilenoptionen an.</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Zeigt Hilfe einschließlich Qt-spezifischer Optionen an.</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>Zeigt Versionsinformationen an.</translation>
    </message>
    <message>
        <source>Prepares the .zel setting file of a device&apos;s barcode-reader front end.</source>
        <translation>Erstellt die Einstellungsdatei (.zel) der Barcodeleser-Anbindung eines Geräts.</translation>
    </message>
    <message>
        <source>Check each file named (- for standard input) without opening the window, and print a line for each: ok and its settings, or where and why it is refused. Exits with 0 when every file is accepted, 1 otherwise.</source>
        <translation>Prüft jede genannte Datei (- für die Standardeingabe), ohne das Fenster zu öffnen, und gibt für jede eine Zeile aus: ok und ihre Einstellungen oder wo und warum sie abgelehnt wird. Endet mit 0, wenn jede Datei angenommen wird, sonst mit 1.</translation>
    </message>
    <message>
        <source>The setting file to open at start; with --check, the files to check.</source>
        <translation>Die Einstellungsdatei, die beim Start geöffnet wird; mit --check die zu prüfenden Dateien.</translation>
    </message>
    <message>
        <source>[file...]</source>
        <translation>[Datei...]</translation>
    </message>
    <message>
        <source>No file to check.</source>
        <translation>Keine Datei zum Prüfen angegeben.</translation>
    </message>
    <message>
        <source>Too many arguments: only one file can be opened.</source>
        <translation>Zu viele Argumente: Es kann nur eine Datei geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>Console</name>
    <message>
        <source>The lines could not be written: %1</source>
        <translation>Die Zeilen konnten nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Standard output is closed.</source>
        <translation>Die Standardausgabe ist geschlossen.</translation>
    </message>
</context>
<context>
    <name>FileSystem</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
    <message>
        <source>The file system did not keep what was written</source>
        <translation>Das Dateisystem hat das Geschriebene nicht behalten</translation>
    </message>
    <message>
        <source>The file is read-only</source>
        <translation>Die Datei ist schreibgeschützt</translation>
    </message>
    <message>
        <source>System error %1</source>
        <translation>Systemfehler %1</translation>
    </message>
</context>
<context>
    <name>MessageBoxDialogs</name>
    <message>
        <source>ZEL File Generator</source>
        <extracomment>The program&apos;s name, the title of its message boxes.</extracomment>
        <translation>ZEL-Dateigenerator</translation>
    </message>
    <message>
        <source>Data is changed.
Save this data?</source>
        <translation>Die Daten wurden geändert.
Möchten Sie die Daten speichern?</translation>
    </message>
    <message>
        <source>Save ZEL File</source>
        <translation>ZEL-Datei speichern</translation>
    </message>
    <message>
        <source>ZEL File (*.zel)</source>
        <extracomment>The file type in the save dialog&apos;s list of types.</extracomment>
        <translation>ZEL-Datei (*.zel)</translation>
    </message>
    <message>
        <source>Load ZEL File</source>
        <translation>ZEL-Datei laden</translation>
    </message>
    <message>
        <source>ZEL File (*.ZEL)</source>
        <extracomment>The file type in the open dialog&apos;s list of types; the open dialog spells the extension in capitals.</extracomment>
        <translation>ZEL-Datei (*.ZEL)</translation>
    </message>
    <message>
        <source>The file has been changed by another program since it was opened or last saved.
Save over it?</source>
        <extracomment>Asked before a save over the file named under it.</extracomment>
        <translation>Die Datei wurde seit dem Öffnen oder dem letzten Speichern von einem anderen Programm geändert.
Möchten Sie sie überschreiben?</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>The preferences could not be kept in %1: %2</source>
        <extracomment>%1 is the file of the preferences, %2 one of the two reasons that follow.</extracomment>
        <translation>Die Programmeinstellungen konnten nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>it cannot be written.</source>
        <translation>Die Datei kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>its content is not in the store&apos;s format.</source>
        <translation>Ihr Inhalt hat nicht das erwartete Format.</translation>
    </message>
    <message>
        <source>The preferences cannot be kept in %1: it is not a regular file.</source>
        <extracomment>%1 is the file of the preferences.</extracomment>
        <translation>Die Programmeinstellungen können nicht in %1 gespeichert werden: Es ist keine reguläre Datei.</translation>
    </message>
</context>
<context>
    <name>SettingFileReader</name>
    <message>
        <source>The file has no [MODE] line.</source>
        <translation>Die Datei hat keine [MODE]-Zeile.</translation>
    </message>
    <message>
        <source>The file ends after line %1 without an [END] line.</source>
        <translation>Die Datei endet nach Zeile %1 ohne eine [END]-Zeile.</translation>
    </message>
    <message>
        <source>The file starts with a byte-order mark, which a setting file does not have.</source>
        <translation>Die Datei beginnt mit einer Bytereihenfolge-Markierung (BOM), die eine Einstellungsdatei nicht hat.</translation>
    </message>
    <message>
        <source>The file&apos;s lines end with LF alone, where a setting file ends each line with CR LF.</source>
        <translation>Die Zeilen der Datei enden nur mit LF, wo eine Einstellungsdatei jede Zeile mit CR LF beendet.</translation>
    </message>
    <message>
        <source>The file starts with a byte-order mark, which a setting file does not have. The file&apos;s lines end with LF alone, where a setting file ends each line with CR LF.</source>
        <translation>Die Datei beginnt mit einer Bytereihenfolge-Markierung (BOM), die eine Einstellungsdatei nicht hat. Die Zeilen der Datei enden nur mit LF, wo eine Einstellungsdatei jede Zeile mit CR LF beendet.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a mode this program knows.</source>
        <translation>„%1“ ist kein Modus, den dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a baud rate this program knows.</source>
        <translation>„%1“ ist keine Baudrate, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a bit length this program knows.</source>
        <translation>„%1“ ist keine Anzahl Datenbits, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a stop bit this program knows.</source>
        <translation>„%1“ ist keine Anzahl Stoppbits, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a parity this program knows.</source>
        <translation>„%1“ ist keine Parität, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a start position this program knows.</source>
        <translation>„%1“ ist keine Startposition, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an end position this program knows.</source>
        <translation>„%1“ ist keine Endposition, die dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a suffix this program knows.</source>
        <translation>„%1“ ist kein Suffix, das dieses Programm kennt.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not belong in the [SETTING] section.</source>
        <translation>„%1“ gehört nicht in den Abschnitt [SETTING].</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>ZEL File Load Error</source>
        <translation>Fehler beim Laden der ZEL-Datei</translation>
    </message>
    <message>
        <source>ZEL File Format Error</source>
        <translation>Formatfehler in der ZEL-Datei</translation>
    </message>
</context>
<context>
    <name>SettingFileWriter</name>
    <message>
        <source>The path does not name a file in a folder.</source>
        <translation>Der Pfad bezeichnet keine Datei in einem Ordner.</translation>
    </message>
    <message>
        <source>The stored barcode flag &quot;%1&quot; is not a number.</source>
        <translation>Das gespeicherte Barcode-Kennzeichen „%1“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>%1 (the former content could not be put back)</source>
        <translation>%1 (der frühere Inhalt konnte nicht wiederhergestellt werden)</translation>
    </message>
    <message>
        <source>The file holds the new content, but the file system did not confirm that it is on the disk: %1</source>
        <translation>Die Datei enthält den neuen Inhalt, aber das Dateisystem hat nicht bestätigt, dass er auf dem Datenträger steht: %1</translation>
    </message>
    <message>
        <source>File Path Error</source>
        <translation>Fehler im Dateipfad</translation>
    </message>
    <message>
        <source>ZEL File Save Error</source>
        <translation>Fehler beim Speichern der ZEL-Datei</translation>
    </message>
    <message>
        <source>%1 (the former content is in %2 and the new content in %3)</source>
        <translation>%1 (der frühere Inhalt steht in %2, der neue in %3)</translation>
    </message>
    <message>
        <source>The file holds the new content, but the file %1, which holds the former content, could not be removed: %2</source>
        <translation>Die Datei enthält den neuen Inhalt, aber die Datei %1 mit dem früheren Inhalt konnte nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>%1 (the file %2, which the save made, could not be removed)</source>
        <translation>%1 (die beim Speichern angelegte Datei %2 konnte nicht entfernt werden)</translation>
    </message>
</context>
<context>
    <name>Title</name>
    <message>
        <source>VX613 ZEL File Generator   V%1</source>
        <extracomment>The window&apos;s title: VX613 is the device, %1 the version (1.02). The three blanks before V stay.</extracomment>
        <translation>VX613 ZEL-Dateigenerator   V%1</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>VX613  ZEL File Generator</source>
        <extracomment>The caption before the title is set; the operator never sees it. VX613 is the device.</extracomment>
        <translation>VX613  ZEL-Dateigenerator</translation>
    </message>
    <message>
        <source>Barcode Mode</source>
        <translation>Barcode-Modus</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Modus</translation>
    </message>
    <message>
        <source>Pick Up Position</source>
        <extracomment>The part of each barcode that is taken: from the start to the end position, and a suffix.</extracomment>
        <translation>Übernahmebereich</translation>
    </message>
    <message>
        <source>Start Position</source>
        <translation>Startposition</translation>
    </message>
    <message>
        <source>End Position</source>
        <translation>Endposition</translation>
    </message>
    <message>
        <source>Suffix(HEX)</source>
        <extracomment>The character added after the data, typed as two hexadecimal digits; HEX stays as it is.</extracomment>
        <translation>Suffix(HEX)</translation>
    </message>
    <message>
        <source>Select Mode</source>
        <extracomment>The heading of the settings that only the mode Select uses. The mode&apos;s name stays as its option button shows it, as all the options&apos; captions do.</extracomment>
        <translation>Select-Modus</translation>
    </message>
    <message>
        <source>Device Function</source>
        <extracomment>The device&apos;s function that a barcode selects in Select mode.</extracomment>
        <translation>Gerätefunktion</translation>
    </message>
    <message>
        <source>Barcode Reader Interface</source>
        <extracomment>The heading of the RS-232C link between the barcode reader and the device.</extracomment>
        <translation>Barcodeleser-Schnittstelle</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baudrate</translation>
    </message>
    <message>
        <source>Bit Length</source>
        <extracomment>The number of data bits, 7 or 8.</extracomment>
        <translation>Datenbits</translation>
    </message>
    <message>
        <source>Stop Bit</source>
        <extracomment>The number of stop bits, 1 or 2.</extracomment>
        <translation>Stoppbits</translation>
    </message>
    <message>
        <source>Parity Bit</source>
        <extracomment>The parity: NONE, ODD or EVEN.</extracomment>
        <translation>Parität</translation>
    </message>
    <message>
        <source>File(&amp;F)</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>NEW(&amp;N)</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Open...(&amp;O)</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Save(&amp;S)</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save As...(&amp;A)</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Exit(&amp;X)</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
</TS>
