<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>commandLine</name>
    <message>
        <source>%1 needs a value: %1 %2</source>
        <translation>%1 braucht einen Wert: %1 %2</translation>
    </message>
    <message>
        <source>%1: use %2=replace, %2=keep or %2=fail</source>
        <translation>%1: möglich sind %2=replace, %2=keep oder %2=fail</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>unknown option %1 (did you mean %2?)</source>
        <translation>unbekannte Option %1 (meinten Sie %2?)</translation>
    </message>
    <message>
        <source>no project name given: use /project=NAME</source>
        <translation>kein Projektname angegeben: /project=NAME verwenden</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no project name: it begins or ends with a space</source>
        <translation>„%1“ ist kein Projektname: er beginnt oder endet mit einem Leerzeichen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no project name: give one directory name with /project=NAME</source>
        <translation>„%1“ ist kein Projektname: mit /project=NAME genau einen Verzeichnisnamen angeben</translation>
    </message>
    <message>
        <source>no location given: use /path=DIRECTORY</source>
        <translation>kein Speicherort angegeben: /path=VERZEICHNIS verwenden</translation>
    </message>
    <message>
        <source>no template given: use /key=TITLE; see wiz --list</source>
        <translation>keine Vorlage angegeben: /key=TITEL verwenden; siehe wiz --list</translation>
    </message>
    <message>
        <source>see wiz --list</source>
        <translation>siehe wiz --list</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <extracomment>the last of two or three template titles: &quot;A&quot;, &quot;B&quot; or &quot;C&quot;</extracomment>
        <translation>%1 oder %2</translation>
    </message>
    <message>
        <source>did you mean %1? see wiz --list</source>
        <translation>meinten Sie %1? siehe wiz --list</translation>
    </message>
    <message>
        <source>&quot;~&quot; is not expanded here: type the whole path, such as %1.</source>
        <translation>„~“ wird hier nicht ersetzt: Geben Sie den ganzen Pfad ein, etwa %1.</translation>
    </message>
    <message>
        <source>TITLE</source>
        <translation>TITEL</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>VERZEICHNIS</translation>
    </message>
</context>
<context>
    <name>cppName</name>
    <message>
        <source>&quot;%1&quot; is not a C++ identifier, so the templates that name a class after the project will not compile with it.</source>
        <translation>„%1“ ist kein C++-Bezeichner; Vorlagen, die eine Klasse nach dem Projekt benennen, lassen sich damit nicht übersetzen.</translation>
    </message>
</context>
<context>
    <name>detailsDialogBase</name>
    <message>
        <source>detailsDialog</source>
        <translation>Projektdetails</translation>
    </message>
    <message>
        <source>Project Description</source>
        <translation>Projektbeschreibung</translation>
    </message>
    <message>
        <source>Project Type</source>
        <translation>Projektart</translation>
    </message>
    <message>
        <source>Visual Studio 6 dsw/dsp files</source>
        <translation>Visual-Studio-6-Dateien (dsw/dsp)</translation>
    </message>
    <message>
        <source>Visual Studio 20xx sln/vcxproj files</source>
        <translation>Visual-Studio-20xx-Dateien (sln/vcxproj)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>fileSink</name>
    <message>
        <source>it is not below the location</source>
        <translation>es liegt nicht unterhalb des Speicherorts</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>no templates found; looked in:</source>
        <translation>keine Vorlagen gefunden; gesucht in:</translation>
    </message>
    <message>
        <source>the list of templates</source>
        <translation>die Liste der Vorlagen</translation>
    </message>
    <message>
        <source>no template is titled &quot;%1&quot;; see wiz --list</source>
        <translation>keine Vorlage hat den Titel „%1“; siehe wiz --list</translation>
    </message>
    <message>
        <source>the template&apos;s description</source>
        <translation>die Beschreibung der Vorlage</translation>
    </message>
    <message>
        <source>passed over: %1</source>
        <translation>übergangen: %1</translation>
    </message>
    <message>
        <source>no library</source>
        <translation>keine Bibliothek</translation>
    </message>
    <message>
        <source>the list of folders</source>
        <translation>die Liste der Ordner</translation>
    </message>
    <message>
        <source>no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>kein Bildschirm, auf dem das Fenster erscheinen kann (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).</translation>
    </message>
    <message>
        <source>to create a project without a window, give its options; see wiz --help.</source>
        <translation>um ein Projekt ohne Fenster anzulegen, geben Sie seine Optionen an; siehe wiz --help.</translation>
    </message>
    <message>
        <source>the usage text</source>
        <translation>der Hilfetext</translation>
    </message>
    <message>
        <source>the version</source>
        <translation>die Version</translation>
    </message>
    <message>
        <source>--help-template needs the title of a template; see wiz --list</source>
        <translation>--help-template braucht den Titel einer Vorlage; siehe wiz --list</translation>
    </message>
    <message>
        <source>Usage: wiz                         open the wizard&apos;s window
       wiz /path=LOCATION /project=NAME &quot;/key=TITLE&quot; [FLAG...] [ARGUMENT...]
       wiz --template DIR [/path=LOCATION /project=NAME [/OPTION=VALUE...]]
       wiz --list [--json] | --paths | --help-template TITLE | --help | --version

Creates a new source project from a template. With arguments wiz runs
unattended: it makes the directory LOCATION/NAME without asking, lets the
template titled TITLE write into it, and exits.

  /path=LOCATION   existing directory in which the project directory is made
  /project=NAME    project name; also the name of its directory
  /key=TITLE       the template, by its title as --list prints it
  ARGUMENT         anything else is handed to the template, for example
                   /title=TEXT or /panel=NAME for &quot;Create C++ Scripted UI / Panel&quot;
  %VAR% in an argument is replaced by the environment variable VAR.
  --template DIR   run the template folder DIR in place of a listed template
                   (no /key); alone, open the window on that template

Flags of an unattended run, anywhere among the arguments:
  --batch          nobody is there: show no window and close every dialog
                   as if Escape were pressed, even on a display
  --dry-run        write nothing and change no setting; print what the run
                   would do to each file (create, replace, unchanged, kept
                   or failed, and its path), with the run&apos;s exit status
  --verbose, -v    after the run, print what was done to each file
  --existing=WHAT  an existing file that would change: replace it (the
                   default), keep it as it is, or fail: write nothing at
                   all and exit 1

  --list           print the title of each template, one a line
  --json           with --list: a JSON array of {&quot;title&quot;, &quot;library&quot;}, with
                   &quot;description&quot;, &quot;version&quot;, &quot;name&quot;, &quot;options&quot; and
                   &quot;shadows&quot; where there are any
  --paths          print each folder templates are looked for in, in order,
                   with what was found there or why it was passed over
  --help-template TITLE
                   print what the template tells about itself: description,
                   version, project-name rule and its /NAME=VALUE options
  --help, -h       print this text
  --version        print the version of wiz

Example:
  wiz /path=/tmp /project=meter &quot;/key=Create C++ Scripted UI / Panel&quot; /title=Meter

Templates are the libraries and template folders (folders that hold
template.json) in ./plugins; where that directory does not exist
or holds no library, in the plugins directory beside wiz, or in
../lib/wiz/plugins beside it (for a wiz in /usr/bin or /usr/local/bin, both
/usr/lib/wiz/plugins and /usr/local/lib/wiz/plugins). Then in each directory
of WIZ_PLUGIN_PATH (separated by &quot;:&quot;) and in your own
$XDG_DATA_HOME/wiz/plugins (~/.local/share/wiz/plugins); a later template of
the same title wins. Template folders are also read from ../share/wiz/templates
beside wiz and from $XDG_DATA_HOME/wiz/templates. A library or directory that
other users can write to, or that belongs to another user than you or root,
is not loaded, nor one below such a directory (a sticky one such as /tmp
excepted). What each library gave is remembered in $XDG_CACHE_HOME/wiz
(~/.cache/wiz).

Exit status: 0 every file written; 1 the template could not be run or wrote
nothing, or --existing=fail found a file that would change; 2 no display to
show the window on; 3 some files could not be written; 128 + N ended by
signal N (its temporary files removed).

wiz writes every file itself and tells truthfully what became of each: a file
is written whole or not at all and keeps its mode, owner and group; a file
that already holds the same bytes is not touched; nothing is written through
a link, into another user&apos;s folder, or over a file with other hard links.
</source>
        <translation>Aufruf: wiz                         das Fenster des Assistenten öffnen
       wiz /path=ORT /project=NAME &quot;/key=TITEL&quot; [SCHALTER...] [ARGUMENT...]
       wiz --template VERZEICHNIS [/path=ORT /project=NAME [/OPTION=WERT...]]
       wiz --list [--json] | --paths | --help-template TITEL | --help | --version

Legt ein neues Quellprojekt aus einer Vorlage an. Mit Argumenten arbeitet wiz
ohne Rückfragen: Es legt das Verzeichnis ORT/NAME an, lässt die Vorlage mit
dem Titel TITEL hineinschreiben und endet.

  /path=ORT        vorhandenes Verzeichnis, in dem das Projektverzeichnis entsteht
  /project=NAME    Projektname; zugleich der Name seines Verzeichnisses
  /key=TITEL       die Vorlage, mit ihrem Titel, wie --list ihn ausgibt
  ARGUMENT         alles andere erhält die Vorlage, zum Beispiel
                   /title=TEXT oder /panel=NAME für &quot;Create C++ Scripted UI / Panel&quot;
  %VAR% in einem Argument wird durch die Umgebungsvariable VAR ersetzt.
  --template VERZEICHNIS
                   den Vorlagenordner VERZEICHNIS statt einer gelisteten Vorlage
                   verwenden (ohne /key); allein das Fenster mit dieser Vorlage öffnen

Schalter eines Laufs ohne Rückfragen, an beliebiger Stelle:
  --batch          niemand ist da: kein Fenster, und jeder Dialog wird wie mit
                   Escape geschlossen, auch auf einem Bildschirm
  --dry-run        nichts schreiben und keine Einstellung ändern; für jede
                   Datei ausgeben, was der Lauf mit ihr täte (create, replace,
                   unchanged, kept oder failed, und ihren Pfad), mit dem
                   Rückgabewert des Laufs
  --verbose, -v    nach dem Lauf ausgeben, was mit jeder Datei geschah
  --existing=WAS   eine vorhandene Datei, die sich ändern würde: ersetzen
                   (replace, die Vorgabe), unverändert lassen (keep) oder
                   scheitern (fail): gar nichts schreiben und mit 1 enden

  --list           den Titel jeder Vorlage ausgeben, einen je Zeile
  --json           mit --list: ein JSON-Array aus {&quot;title&quot;, &quot;library&quot;}, mit
                   &quot;description&quot;, &quot;version&quot;, &quot;name&quot;, &quot;options&quot; und
                   &quot;shadows&quot;, wo es sie gibt
  --paths          jeden Ordner, in dem Vorlagen gesucht werden, der Reihe
                   nach ausgeben, mit dem, was dort gefunden wurde, oder dem
                   Grund, warum er übergangen wurde
  --help-template TITEL
                   ausgeben, was die Vorlage über sich selbst sagt:
                   Beschreibung, Version, Regel für den Projektnamen und ihre
                   Optionen /NAME=WERT
  --help, -h       diesen Text ausgeben
  --version        die Version von wiz ausgeben

Beispiel:
  wiz /path=/tmp /project=meter &quot;/key=Create C++ Scripted UI / Panel&quot; /title=Meter

Vorlagen sind die Bibliotheken und Vorlagenordner (Ordner mit template.json) in
./plugins; wo es dieses Verzeichnis nicht gibt oder es keine Bibliothek enthält,
die im Verzeichnis plugins neben wiz oder in ../lib/wiz/plugins daneben (für ein
wiz in /usr/bin oder /usr/local/bin beide, /usr/lib/wiz/plugins und
/usr/local/lib/wiz/plugins). Danach die in jedem Verzeichnis von WIZ_PLUGIN_PATH
(getrennt durch &quot;:&quot;) und in Ihrem eigenen $XDG_DATA_HOME/wiz/plugins
(~/.local/share/wiz/plugins); eine spätere Vorlage gleichen Titels gewinnt.
Vorlagenordner werden außerdem aus ../share/wiz/templates neben wiz und aus
$XDG_DATA_HOME/wiz/templates gelesen. Eine Bibliothek oder ein Verzeichnis, in
das andere Benutzer schreiben dürfen oder das einem anderen Benutzer als Ihnen
oder root gehört, wird nicht geladen, ebenso wenig eine darunter (außer unter
einem Verzeichnis mit Sticky-Bit wie /tmp). Was jede Bibliothek geliefert hat,
wird in $XDG_CACHE_HOME/wiz (~/.cache/wiz) gespeichert.

Rückgabewert: 0 alle Dateien geschrieben; 1 die Vorlage konnte nicht laufen oder
hat nichts geschrieben, oder --existing=fail hat eine Datei gefunden, die sich
ändern würde; 2 kein Bildschirm für das Fenster; 3 einige Dateien konnten nicht
geschrieben werden; 128 + N durch Signal N beendet (die temporären Dateien des
Laufs entfernt).

wiz schreibt jede Datei selbst und sagt wahrheitsgemäß, was aus jeder wurde:
Eine Datei wird ganz oder gar nicht geschrieben und behält Modus, Besitzer und
Gruppe; eine Datei, die schon dieselben Bytes enthält, bleibt unberührt; nichts
wird durch eine Verknüpfung, in den Ordner eines anderen Benutzers oder über
eine Datei mit weiteren harten Verknüpfungen geschrieben.
</translation>
    </message>
</context>
<context>
    <name>modalDialogCloser</name>
    <message>
        <source>no one can answer this dialog, closed it: %1</source>
        <translation>niemand kann diesen Dialog beantworten, er wurde geschlossen: %1</translation>
    </message>
</context>
<context>
    <name>pluginCatalog</name>
    <message>
        <source>it holds no template library</source>
        <translation>er enthält keine Vorlagenbibliothek</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es gibt ihn nicht</translation>
    </message>
    <message>
        <source>it is no folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it was read already</source>
        <translation>er wurde bereits gelesen</translation>
    </message>
    <message>
        <source>it is no template library (no load_zelk_wizard_plugin)</source>
        <translation>sie ist keine Vorlagenbibliothek (kein load_zelk_wizard_plugin)</translation>
    </message>
    <message>
        <source>its name is not valid in the local encoding</source>
        <translation>ihr Name ist in der lokalen Zeichenkodierung ungültig</translation>
    </message>
</context>
<context>
    <name>pluginLibrary</name>
    <message>
        <source>%1 failed: %2</source>
        <translation>%1 ist gescheitert: %2</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 ist gescheitert</translation>
    </message>
    <message>
        <source>its stamp</source>
        <translation>ihre Versionskennung</translation>
    </message>
    <message>
        <source>its factory</source>
        <translation>ihre Fabrikfunktion</translation>
    </message>
    <message>
        <source>its release function</source>
        <translation>ihre Freigabefunktion</translation>
    </message>
    <message>
        <source>its description</source>
        <translation>ihre Beschreibung</translation>
    </message>
</context>
<context>
    <name>pluginScanner</name>
    <message>
        <source>its factory gave no template</source>
        <translation>ihre Fabrikfunktion hat keine Vorlage geliefert</translation>
    </message>
    <message>
        <source>its description() failed</source>
        <translation>ihre description() ist gescheitert</translation>
    </message>
    <message>
        <source>it crashed the listing (%1)</source>
        <translation>sie hat die Auflistung zum Absturz gebracht (%1)</translation>
    </message>
    <message>
        <source>it ended the listing with exit status %1</source>
        <translation>sie hat die Auflistung mit dem Rückgabewert %1 beendet</translation>
    </message>
    <message>
        <source>the listing could not start: %1</source>
        <translation>die Auflistung konnte nicht starten: %1</translation>
    </message>
    <message>
        <source>its listing was garbled</source>
        <translation>ihre Auflistung war unleserlich</translation>
    </message>
    <message>
        <source>it did not answer within %1 ms</source>
        <translation>sie hat nicht innerhalb von %1 ms geantwortet</translation>
    </message>
</context>
<context>
    <name>pluginStamp</name>
    <message>
        <source>it was built for template contract version %1, this wizard has %2</source>
        <translation>sie wurde für Version %1 der Vorlagenschnittstelle gebaut, dieser Assistent hat Version %2</translation>
    </message>
    <message>
        <source>it was built with Qt %1, this wizard runs on Qt %2</source>
        <translation>sie wurde mit Qt %1 gebaut, dieser Assistent läuft mit Qt %2</translation>
    </message>
</context>
<context>
    <name>pluginTrust</name>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is not a folder</source>
        <translation>ist kein Ordner</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>belongs to %1, neither to you nor to root</source>
        <translation>gehört %1, weder Ihnen noch root</translation>
    </message>
    <message>
        <source>is writable by every user</source>
        <translation>ist für alle Benutzer beschreibbar</translation>
    </message>
    <message>
        <source>is writable by the group %1</source>
        <translation>ist für die Gruppe %1 beschreibbar</translation>
    </message>
    <message>
        <source>it passes through a link of %1 in %2, which every user may write in</source>
        <translation>es führt über eine Verknüpfung von %1 in %2, einem Ordner, in den alle Benutzer schreiben dürfen</translation>
    </message>
    <message>
        <source>it leads into %1, which %2</source>
        <translation>es führt nach %1; das Ziel %2</translation>
    </message>
    <message>
        <source>it %1</source>
        <translation>es %1</translation>
    </message>
    <message>
        <source>it lies in %1, which %2</source>
        <translation>es liegt in %1; dieser Ordner %2</translation>
    </message>
</context>
<context>
    <name>projectWriter</name>
    <message>
        <source>%1 belongs to another user</source>
        <translation>%1 gehört einem anderen Benutzer</translation>
    </message>
    <message>
        <source>%1 is a symbolic link</source>
        <translation>%1 ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>it is not a path below the location</source>
        <translation>es ist kein Pfad unterhalb des Speicherorts</translation>
    </message>
    <message>
        <source>it is a symbolic link</source>
        <translation>es ist eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it has other hard links</source>
        <translation>es hat weitere harte Verknüpfungen</translation>
    </message>
</context>
<context>
    <name>reviewDialogBase</name>
    <message>
        <source>Replace Existing Files?</source>
        <translation>Vorhandene Dateien ersetzen?</translation>
    </message>
    <message>
        <source>The template wrote other content for these files than they hold now. Checked files are replaced; unchecked files keep what they hold. Cancel keeps them all.

New files and files that already held the template&apos;s content are in place.</source>
        <translation>Die Vorlage hat für diese Dateien einen anderen Inhalt geschrieben, als sie jetzt enthalten. Markierte Dateien werden ersetzt; nicht markierte behalten ihren Inhalt. „Abbrechen“ behält sie alle.

Neue Dateien und Dateien, die bereits den Inhalt der Vorlage hatten, sind schon an ihrem Platz.</translation>
    </message>
    <message>
        <source>&amp;Replace Checked</source>
        <translation>Markierte &amp;ersetzen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>runReport</name>
    <message>
        <source>cannot write the report: %1</source>
        <translation>der Bericht kann nicht geschrieben werden: %1</translation>
    </message>
</context>
<context>
    <name>templateDescription</name>
    <message>
        <source>&quot;%1&quot; does not match %2.</source>
        <translation>„%1“ passt nicht zu %2.</translation>
    </message>
    <message>
        <source> (default: %1)</source>
        <translation> (Standard: %1)</translation>
    </message>
    <message>
        <source>any folder name</source>
        <translation>ein beliebiger Ordnername</translation>
    </message>
    <message>
        <source>matches %1</source>
        <translation>passt zu %1</translation>
    </message>
    <message>
        <source>a C++ identifier (letters, digits and &quot;_&quot;, not beginning with a digit)</source>
        <translation>ein C++-Bezeichner (Buchstaben, Ziffern und „_“, nicht mit einer Ziffer am Anfang)</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Version: %1</translation>
    </message>
    <message>
        <source>Library: %1</source>
        <translation>Bibliothek: %1</translation>
    </message>
    <message>
        <source>Project name: %1</source>
        <translation>Projektname: %1</translation>
    </message>
    <message>
        <source>Options: none</source>
        <translation>Optionen: keine</translation>
    </message>
    <message>
        <source>Options, each given as /NAME=VALUE:</source>
        <translation>Optionen, jeweils als /NAME=WERT anzugeben:</translation>
    </message>
    <message>
        <source>Folder: %1</source>
        <translation>Ordner: %1</translation>
    </message>
</context>
<context>
    <name>templateRunner</name>
    <message>
        <source>The path already exists. OK to overwrite?</source>
        <translation>Der Pfad existiert bereits. Überschreiben?</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Oh Dear</source>
        <translation>Oje</translation>
    </message>
    <message>
        <source>Could not load library specified: </source>
        <translation>Die angegebene Bibliothek konnte nicht geladen werden: </translation>
    </message>
    <message>
        <source>cannot make a scratch folder: %1</source>
        <translation>kein Arbeitsordner anzulegen: %1</translation>
    </message>
    <message>
        <source>the library of &quot;%1&quot; gave no template</source>
        <translation>die Bibliothek von „%1“ hat keine Vorlage geliefert</translation>
    </message>
    <message>
        <source>unknown exception</source>
        <translation>unbekannte Ausnahme</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; failed: %2</source>
        <translation>die Vorlage „%1“ ist gescheitert: %2</translation>
    </message>
    <message>
        <source>the template &quot;%1&quot; wrote no files</source>
        <translation>die Vorlage „%1“ hat keine Dateien geschrieben</translation>
    </message>
    <message>
        <source>These files could not be written:

%1</source>
        <translation>Diese Dateien konnten nicht geschrieben werden:

%1</translation>
    </message>
    <message>
        <source>The new project is in %1.</source>
        <translation>Das neue Projekt liegt in %1.</translation>
    </message>
    <message>
        <source>ZELK Application Wizard</source>
        <translation>ZELK-Anwendungsassistent</translation>
    </message>
    <message>
        <source>%1 exists and is not a folder.</source>
        <translation>%1 existiert und ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 belongs to another user; the wizard does not write into it.</source>
        <translation>%1 gehört einem anderen Benutzer; der Assistent schreibt nicht hinein.</translation>
    </message>
    <message>
        <source>%1 is a symbolic link; the wizard does not write through it.</source>
        <translation>%1 ist eine symbolische Verknüpfung; der Assistent folgt ihr beim Schreiben nicht.</translation>
    </message>
    <message>
        <source>--existing takes replace, keep or fail</source>
        <translation>--existing erwartet replace, keep oder fail</translation>
    </message>
    <message>
        <source>nothing was written: these files exist and would change (--existing=fail): %1</source>
        <translation>nichts wurde geschrieben: diese Dateien existieren und würden sich ändern (--existing=fail): %1</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>Schreiben nicht möglich: %1</translation>
    </message>
    <message>
        <source>the template folder %1 cannot be used:
%2</source>
        <translation>der Vorlagenordner %1 kann nicht verwendet werden:
%2</translation>
    </message>
</context>
<context>
    <name>wizDialog</name>
    <message>
        <source>No templates were found in %1.</source>
        <translation>In %1 wurden keine Vorlagen gefunden.</translation>
    </message>
    <message>
        <source>Choose a template.</source>
        <translation>Wählen Sie eine Vorlage.</translation>
    </message>
    <message>
        <source>Type a project name.</source>
        <translation>Geben Sie einen Projektnamen ein.</translation>
    </message>
    <message>
        <source>A project name needs more than spaces.</source>
        <translation>Ein Projektname braucht mehr als Leerzeichen.</translation>
    </message>
    <message>
        <source>The project name begins or ends with a space.</source>
        <translation>Der Projektname beginnt oder endet mit einem Leerzeichen.</translation>
    </message>
    <message>
        <source>A project name is one folder name: no &quot;/&quot; or &quot;\&quot;, not &quot;.&quot; or &quot;..&quot;.</source>
        <translation>Ein Projektname ist ein Ordnername: kein „/“ oder „\“, nicht „.“ oder „..“.</translation>
    </message>
    <message>
        <source>Type the location in which to make the project folder.</source>
        <translation>Geben Sie den Speicherort ein, in dem der Projektordner angelegt wird.</translation>
    </message>
    <message>
        <source>The location is a file, not a folder.</source>
        <translation>Der Speicherort ist eine Datei, kein Ordner.</translation>
    </message>
    <message>
        <source>The location begins or ends with a space.</source>
        <translation>Der Speicherort beginnt oder endet mit einem Leerzeichen.</translation>
    </message>
    <message>
        <source>The location does not exist in %1.</source>
        <translation>Den Speicherort gibt es in %1 nicht.</translation>
    </message>
    <message>
        <source>The location does not exist.</source>
        <translation>Den Speicherort gibt es nicht.</translation>
    </message>
    <message>
        <source>%1 runs instead of %2</source>
        <translation>%1 läuft statt %2</translation>
    </message>
</context>
<context>
    <name>wizDialogBase</name>
    <message>
        <source>Varnet Control Application Wizard</source>
        <translation>Varnet-Control-Anwendungsassistent</translation>
    </message>
    <message>
        <source>List of available application templates</source>
        <translation>Liste der verfügbaren Anwendungsvorlagen</translation>
    </message>
    <message>
        <source>This is a list of the available application templates. These templates are stored in a plugins subdirectory and must follow the ZELK Wizard plug-in interface.


You can use this tool to generate more plugins.


Please see the documentation for a full explaination.</source>
        <translation>Dies ist eine Liste der verfügbaren Anwendungsvorlagen. Diese Vorlagen liegen in einem Unterverzeichnis plugins und müssen der Plug-in-Schnittstelle des ZELK-Assistenten folgen.


Mit diesem Werkzeug können Sie weitere Plug-ins erzeugen.


Eine vollständige Erklärung finden Sie in der Dokumentation.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Project &amp;Name</source>
        <translation>Projekt&amp;name</translation>
    </message>
    <message>
        <source>Enter the project name - this becomes the directory where all the project files are placed</source>
        <translation>Geben Sie den Projektnamen ein – er wird zum Verzeichnis, in dem alle Projektdateien liegen</translation>
    </message>
    <message>
        <source>&lt;p&gt;Enter the project name - this becomes the directory where all the project files are placed&lt;/p&gt;</source>
        <translation>&lt;p&gt;Geben Sie den Projektnamen ein – er wird zum Verzeichnis, in dem alle Projektdateien liegen&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Location</source>
        <translation>&amp;Speicherort</translation>
    </message>
    <message>
        <source>&lt;p&gt;Path in which to create new project - this path must exist&lt;/p&gt;</source>
        <translation>&lt;p&gt;Pfad, in dem das neue Projekt angelegt wird – dieser Pfad muss existieren&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Path in which to create new project&lt;/b&gt;&lt;/p&gt;

&lt;p&gt;This path &lt;b&gt;must exist&lt;/b&gt; and your project will be a new sub-folder off this directory&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Pfad, in dem das neue Projekt angelegt wird&lt;/b&gt;&lt;/p&gt;

&lt;p&gt;Dieser Pfad &lt;b&gt;muss existieren&lt;/b&gt;; Ihr Projekt wird ein neuer Unterordner dieses Verzeichnisses&lt;/p&gt;</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Click here to browse to a directory</source>
        <translation>Klicken Sie hier, um ein Verzeichnis auszuwählen</translation>
    </message>
    <message>
        <source>Choose location</source>
        <translation>Speicherort wählen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Alt+O</source>
        <translation>Alt+O</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Alt+C</source>
        <translation>Alt+A</translation>
    </message>
</context>
</TS>
