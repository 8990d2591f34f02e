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
    <name>main</name>
    <message>
        <source>Usage: wiz                         open the wizard&apos;s window
       wiz /path=LOCATION /project=NAME &quot;/key=TITLE&quot; [FLAG...] [ARGUMENT...]
       wiz --list [--json] | --help | --version

Creates a new source project from a template. With arguments wiz runs
unattended: it makes the directory LOCATION/NAME without asking, lets the
template titled TITLE write into it, and exits.

  /path=LOCATION   existing directory in which the project directory is made
  /project=NAME    project name; also the name of its directory
  /key=TITLE       the template, by its title as --list prints it
  ARGUMENT         anything else is handed to the template, for example
                   /title=TEXT or /panel=NAME for &quot;Create C++ Scripted UI / Panel&quot;
  %VAR% in an argument is replaced by the environment variable VAR.

Flags of an unattended run, anywhere among the arguments:
  --batch          nobody is there: show no window and close every dialog
                   as if Escape were pressed, even on a display
  --dry-run        write nothing; print what the run would do to each file:
                   create, replace or unchanged, and its path
  --verbose, -v    after the run, print what was done to each file

  --list           print the title of each template, one a line
  --json           with --list: a JSON array of {&quot;title&quot;, &quot;library&quot;}
  --help, -h       print this text
  --version        print the version of wiz

Example:
  wiz /path=/tmp /project=meter &quot;/key=Create C++ Scripted UI / Panel&quot; /title=Meter

Templates are the libraries in ./plugins; where that directory does not exist,
in the plugins directory beside wiz, or in ../lib/wiz/plugins beside it. Then
in each directory of WIZ_PLUGIN_PATH (separated by &quot;:&quot;) and in your own
$XDG_DATA_HOME/wiz/plugins (~/.local/share/wiz/plugins); a later template of
the same title wins. A library or directory that other users can write to,
or that belongs to another user than you or root, is not loaded.

Exit status: 0 every file written; 1 the template could not be run or wrote
nothing; 2 no display to show the window on; 3 some files could not be written.
No run loses a byte that was there: a file is replaced only by a complete new one.
</source>
        <translation>Aufruf: wiz                         das Fenster des Assistenten öffnen
        wiz /path=ORT /project=NAME &quot;/key=TITEL&quot; [SCHALTER...] [ARGUMENT...]
        wiz --list [--json] | --help | --version

Legt ein neues Quellprojekt aus einer Vorlage an. Mit Argumenten arbeitet wiz
ohne Rückfragen: Es legt das Verzeichnis ORT/NAME an, lässt die Vorlage mit
dem Titel TITEL hineinschreiben und endet.

  /path=ORT        vorhandenes Verzeichnis, in dem das Projektverzeichnis entsteht
  /project=NAME    Projektname; zugleich der Name seines Verzeichnisses
  /key=TITEL       die Vorlage, mit ihrem Titel, wie --list ihn ausgibt
  ARGUMENT         alles andere erhält die Vorlage, zum Beispiel
                   /title=TEXT oder /panel=NAME für &quot;Create C++ Scripted UI / Panel&quot;
  %VAR% in einem Argument wird durch die Umgebungsvariable VAR ersetzt.

Schalter eines Laufs ohne Rückfragen, an beliebiger Stelle:
  --batch          niemand ist da: kein Fenster, und jeder Dialog wird wie mit
                   Escape geschlossen, auch auf einem Bildschirm
  --dry-run        nichts schreiben; für jede Datei ausgeben, was der Lauf täte:
                   create, replace oder unchanged, und ihren Pfad
  --verbose, -v    nach dem Lauf ausgeben, was mit jeder Datei geschah

  --list           den Titel jeder Vorlage ausgeben, einen je Zeile
  --json           mit --list: ein JSON-Array aus {&quot;title&quot;, &quot;library&quot;}
  --help, -h       diesen Text ausgeben
  --version        die Version von wiz ausgeben

Beispiel:
  wiz /path=/tmp /project=meter &quot;/key=Create C++ Scripted UI / Panel&quot; /title=Meter

Vorlagen sind die Bibliotheken in ./plugins; wo es dieses Verzeichnis nicht gibt,
die im Verzeichnis plugins neben wiz oder in ../lib/wiz/plugins daneben. Danach
die in jedem Verzeichnis von WIZ_PLUGIN_PATH (getrennt durch &quot;:&quot;) und in Ihrem
eigenen $XDG_DATA_HOME/wiz/plugins (~/.local/share/wiz/plugins); eine spätere
Vorlage gleichen Titels gewinnt. Eine Bibliothek oder ein Verzeichnis, in das
andere Benutzer schreiben dürfen oder das einem anderen Benutzer als Ihnen oder
root gehört, wird nicht geladen.

Rückgabewert: 0 alle Dateien geschrieben; 1 die Vorlage konnte nicht laufen oder
hat nichts geschrieben; 2 kein Bildschirm für das Fenster; 3 einige Dateien
konnten nicht geschrieben werden. Kein Lauf verliert ein vorhandenes Byte: eine
Datei wird nur durch eine vollständige neue ersetzt.
</translation>
    </message>
</context>
<context>
    <name>pluginLibrary</name>
    <message>
        <source>its factory failed: %1</source>
        <translation>ihre Fabrikfunktion ist gescheitert: %1</translation>
    </message>
    <message>
        <source>its factory failed</source>
        <translation>ihre Fabrikfunktion ist gescheitert</translation>
    </message>
</context>
<context>
    <name>pluginTrust</name>
    <message>
        <source>it is not a folder</source>
        <translation>es ist kein Ordner</translation>
    </message>
    <message>
        <source>it leads into %1, and %2</source>
        <translation>es führt nach %1, und %2</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it belongs to %1, neither to you nor to root</source>
        <translation>es gehört %1, weder Ihnen noch root</translation>
    </message>
    <message>
        <source>it is writable by every user</source>
        <translation>jeder Benutzer darf hineinschreiben</translation>
    </message>
    <message>
        <source>it is writable by the group %1</source>
        <translation>die Gruppe %1 darf hineinschreiben</translation>
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
        <source>it could not be created</source>
        <translation>er konnte nicht angelegt werden</translation>
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
