<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Alerts</name>
    <message>
        <source>Wrenfold</source>
        <translation>Wrenfold</translation>
    </message>
</context>
<context>
    <name>AppSection</name>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Flows</source>
        <translation>Flows</translation>
    </message>
    <message>
        <source>Perspectives</source>
        <translation>Perspektiven</translation>
    </message>
</context>
<context>
    <name>CalendarAccessPrompt</name>
    <message>
        <source>Wrenfold</source>
        <translation>Wrenfold</translation>
    </message>
    <message>
        <source>Allow Wrenfold to read your calendars?</source>
        <translation>Wrenfold erlauben, deine Kalender zu lesen?</translation>
    </message>
    <message>
        <source>Wrenfold shows the events of the day beside your journal. It never changes your calendars.</source>
        <translation>Wrenfold zeigt die Termine des Tages neben deinem Tagebuch. Es ändert deine Kalender nie.</translation>
    </message>
    <message>
        <source>Allow</source>
        <translation>Erlauben</translation>
    </message>
    <message>
        <source>Don&apos;t Allow</source>
        <translation>Nicht erlauben</translation>
    </message>
</context>
<context>
    <name>CalendarAgenda</name>
    <message>
        <source>All day</source>
        <translation>Ganztägig</translation>
    </message>
</context>
<context>
    <name>CalendarStore</name>
    <message>
        <source>Not an iCalendar file.</source>
        <translation>Keine iCalendar-Datei.</translation>
    </message>
</context>
<context>
    <name>FlowEditorView</name>
    <message>
        <source>Every day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Selected weekdays</source>
        <translation>Ausgewählte Wochentage</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>No schedule</source>
        <translation>Ohne Rhythmus</translation>
    </message>
</context>
<context>
    <name>FlowsView</name>
    <message>
        <source>Habit · Every day</source>
        <translation>Gewohnheit · Jeden Tag</translation>
    </message>
    <message>
        <source>Habit · Selected weekdays</source>
        <translation>Gewohnheit · Ausgewählte Wochentage</translation>
    </message>
    <message>
        <source>Habit · Weekly</source>
        <translation>Gewohnheit · Wöchentlich</translation>
    </message>
    <message>
        <source>Habit · No schedule</source>
        <translation>Gewohnheit · Ohne Rhythmus</translation>
    </message>
</context>
<context>
    <name>FolderReference</name>
    <message>
        <source>The folder “%1” could not be remembered: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht gemerkt werden: %2.</translation>
    </message>
</context>
<context>
    <name>JournalMode</name>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>MarkdownToolbar</name>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Heading</source>
        <translation>Überschrift</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Bulleted List</source>
        <translation>Aufzählung</translation>
    </message>
    <message>
        <source>Task</source>
        <translation>Aufgabe</translation>
    </message>
</context>
<context>
    <name>Perspective</name>
    <message>
        <source>Small steps</source>
        <translation>Kleine Schritte</translation>
    </message>
    <message>
        <source>Notice a small change that could make something work better.</source>
        <translation>Bemerke eine kleine Veränderung, durch die etwas besser funktionieren könnte.</translation>
    </message>
    <message>
        <source>What small change did I notice?</source>
        <translation>Welche kleine Veränderung ist mir aufgefallen?</translation>
    </message>
    <message>
        <source>What matters</source>
        <translation>Was zählt</translation>
    </message>
    <message>
        <source>Consider the activities, people and responsibilities that give your life meaning.</source>
        <translation>Denke an die Tätigkeiten, Menschen und Aufgaben, die deinem Leben Sinn geben.</translation>
    </message>
    <message>
        <source>What felt meaningful?</source>
        <translation>Was hat sich sinnvoll angefühlt?</translation>
    </message>
    <message>
        <source>Reflection</source>
        <translation>Rückschau</translation>
    </message>
    <message>
        <source>Look back on an experience and record what you noticed or learned.</source>
        <translation>Blicke auf eine Erfahrung zurück und halte fest, was dir aufgefallen ist oder was du gelernt hast.</translation>
    </message>
    <message>
        <source>What did I notice or learn?</source>
        <translation>Was ist mir aufgefallen, was habe ich gelernt?</translation>
    </message>
    <message>
        <source>Simplicity</source>
        <translation>Einfachheit</translation>
    </message>
    <message>
        <source>Notice what can be removed, clarified or left aside.</source>
        <translation>Bemerke, was sich weglassen, klären oder beiseitelegen lässt.</translation>
    </message>
    <message>
        <source>What could be removed, clarified or left aside?</source>
        <translation>Was ließe sich weglassen, klären oder beiseitelegen?</translation>
    </message>
    <message>
        <source>A beginner’s mind</source>
        <translation>Anfängergeist</translation>
    </message>
    <message>
        <source>Approach something familiar with openness to seeing it differently.</source>
        <translation>Begegne etwas Vertrautem mit der Offenheit, es anders zu sehen.</translation>
    </message>
    <message>
        <source>What might I see differently?</source>
        <translation>Was könnte ich anders sehen?</translation>
    </message>
    <message>
        <source>Space between</source>
        <translation>Raum dazwischen</translation>
    </message>
    <message>
        <source>Notice the intervals, pauses and open space around activities and experiences.</source>
        <translation>Bemerke die Abstände, Pausen und freien Räume rund um Tätigkeiten und Erlebnisse.</translation>
    </message>
    <message>
        <source>Where did I notice space or a pause?</source>
        <translation>Wo habe ich Raum oder eine Pause bemerkt?</translation>
    </message>
    <message>
        <source>Cleaning and renewal</source>
        <translation>Reinigen und Erneuern</translation>
    </message>
    <message>
        <source>Set aside time for cleaning, sorting or resetting a physical or digital space.</source>
        <translation>Nimm dir Zeit, einen physischen oder digitalen Raum zu reinigen, zu ordnen oder neu einzurichten.</translation>
    </message>
    <message>
        <source>What space could use cleaning, sorting or resetting?</source>
        <translation>Welcher Raum könnte Reinigen, Ordnen oder einen Neuanfang gebrauchen?</translation>
    </message>
    <message>
        <source>Time in nature</source>
        <translation>Zeit in der Natur</translation>
    </message>
    <message>
        <source>Plan time in a park, forest, by the water or another outdoor place.</source>
        <translation>Plane Zeit in einem Park, im Wald, am Wasser oder an einem anderen Ort im Freien ein.</translation>
    </message>
    <message>
        <source>Where would I like to spend time outdoors?</source>
        <translation>Wo möchte ich Zeit im Freien verbringen?</translation>
    </message>
    <message>
        <source>Change and imperfection</source>
        <translation>Wandel und Unvollkommenheit</translation>
    </message>
    <message>
        <source>Notice age, change and imperfection without requiring them to be corrected.</source>
        <translation>Bemerke Alter, Wandel und Unvollkommenheit, ohne zu verlangen, dass sie behoben werden.</translation>
    </message>
    <message>
        <source>Where did I notice change or imperfection?</source>
        <translation>Wo habe ich Wandel oder Unvollkommenheit bemerkt?</translation>
    </message>
    <message>
        <source>Care in the work</source>
        <translation>Sorgfalt in der Arbeit</translation>
    </message>
    <message>
        <source>Give attention to the craft, responsibility and detail within work you choose to do.</source>
        <translation>Widme dich aufmerksam dem Handwerk, der Verantwortung und den Details einer Arbeit, die du selbst wählst.</translation>
    </message>
    <message>
        <source>Where would I like to give care to the work?</source>
        <translation>Wo möchte ich der Arbeit Sorgfalt schenken?</translation>
    </message>
    <message>
        <source>Walking attention</source>
        <translation>Achtsames Gehen</translation>
    </message>
    <message>
        <source>Make room for a walk and give attention to the act of walking.</source>
        <translation>Schaffe Raum für einen Spaziergang und richte deine Aufmerksamkeit auf das Gehen.</translation>
    </message>
    <message>
        <source>Where would I like to make room for a walk?</source>
        <translation>Wo möchte ich Raum für einen Spaziergang schaffen?</translation>
    </message>
</context>
<context>
    <name>wrenfold::app::AppModel</name>
    <message>
        <source>Choose</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Both versions were kept. The preserved copy is listed in Journal.</source>
        <translation>Beide Fassungen wurden behalten. Die aufbewahrte Kopie steht unter Tagebuch.</translation>
    </message>
    <message>
        <source>It was not written over; your change is kept until the file can be read again.</source>
        <translation>Sie wurde nicht überschrieben; deine Änderung bleibt erhalten, bis die Datei wieder gelesen werden kann.</translation>
    </message>
    <message>
        <source>The backup “%1” could not be written: %2.</source>
        <translation>Die Sicherung „%1“ konnte nicht geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Your unsaved text was kept as a separate Markdown file. The preserved copy is listed in Journal.</source>
        <translation>Dein ungesicherter Text wurde als eigene Markdown-Datei behalten. Die aufbewahrte Kopie steht unter Tagebuch.</translation>
    </message>
    <message>
        <source>The journal file could not be created.</source>
        <translation>Die Tagebuchdatei konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Empty note</source>
        <translation>Leere Notiz</translation>
    </message>
    <message>
        <source>You’re up to date</source>
        <translation>Wrenfold ist auf dem neuesten Stand</translation>
    </message>
    <message>
        <source>Wrenfold %1 is the latest version.</source>
        <translation>Wrenfold %1 ist die neueste Version.</translation>
    </message>
    <message>
        <source>A new version of Wrenfold is available</source>
        <translation>Eine neue Version von Wrenfold ist verfügbar</translation>
    </message>
    <message>
        <source>Wrenfold %1 is ready. The app will update and relaunch.</source>
        <translation>Wrenfold %1 ist bereit. Die App wird aktualisiert und neu gestartet.</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Später</translation>
    </message>
    <message>
        <source>Update failed</source>
        <translation>Aktualisierung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Move Wrenfold to a folder you can write to and try again, or download the latest version from the website.</source>
        <translation>Verschiebe Wrenfold in einen Ordner, in den du schreiben kannst, und versuche es erneut, oder lade die neueste Version von der Website.</translation>
    </message>
    <message>
        <source>Until it can be saved, your text is kept in “%1”.</source>
        <translation>Bis er gesichert werden kann, wird dein Text in „%1“ aufbewahrt.</translation>
    </message>
    <message>
        <source>Your text could not be kept anywhere else, so it stays on screen.</source>
        <translation>Dein Text konnte nirgendwo sonst aufbewahrt werden, darum bleibt er auf dem Bildschirm.</translation>
    </message>
    <message>
        <source>Your unsaved text is kept in “%1” until it can be put beside its note.</source>
        <translation>Dein ungesicherter Text wird in „%1“ aufbewahrt, bis er neben seine Notiz gelegt werden kann.</translation>
    </message>
    <message>
        <source>Text that had not reached its note was kept as a separate Markdown file. The preserved copy is listed in Journal.</source>
        <translation>Text, der seine Notiz nicht erreicht hatte, wurde als eigene Markdown-Datei aufbewahrt. Die Kopie ist im Journal aufgeführt.</translation>
    </message>
    <message>
        <source>Text that could not be saved in its notes folder is kept in “%1” until that folder can be written again.</source>
        <translation>Text, der nicht in seinem Notizordner gesichert werden konnte, wird in „%1“ aufbewahrt, bis in diesen Ordner wieder geschrieben werden kann.</translation>
    </message>
    <message>
        <source>The day&apos;s perspectives were also changed in another app. That version was kept in “%1”.</source>
        <translation>Die Perspektiven des Tages wurden auch in einer anderen App geändert. Diese Fassung wurde in „%1“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The notes folder “%1” is missing. Reconnect its disk, or choose another folder.</source>
        <translation>Der Notizordner „%1“ fehlt. Schließe sein Laufwerk wieder an oder wähle einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>wrenfold::cli::Terminal</name>
    <message>
        <source>%1. Try “%2”.</source>
        <translation>%1. Siehe „%2“.</translation>
    </message>
    <message>
        <source>DATE is YYYY-MM-DD, today, yesterday, tomorrow or -N (N days back).</source>
        <translation>DATE ist JJJJ-MM-TT, today, yesterday, tomorrow oder -N (vor N Tagen).</translation>
    </message>
    <message>
        <source>Use DIR instead of the app&apos;s notes folder.</source>
        <translation>DIR statt des Notizordners der App verwenden.</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe anzeigen.</translation>
    </message>
    <message>
        <source>Usage: wrenfold [COMMAND] [OPTIONS]</source>
        <translation>Aufruf: wrenfold [BEFEHL] [OPTIONEN]</translation>
    </message>
    <message>
        <source>Without a command, Wrenfold opens its window. Commands:</source>
        <translation>Ohne Befehl öffnet Wrenfold sein Fenster. Befehle:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <source>Print the version.</source>
        <translation>Die Version ausgeben.</translation>
    </message>
    <message>
        <source>The day to use instead of today.</source>
        <translation>Der Tag, der statt heute gilt.</translation>
    </message>
    <message>
        <source>How many days to list, from 1 to 366 (1).</source>
        <translation>Wie viele Tage aufgelistet werden, von 1 bis 366 (1).</translation>
    </message>
    <message>
        <source>Print JSON, as described in the README.</source>
        <translation>JSON ausgeben, wie in der README beschrieben.</translation>
    </message>
    <message>
        <source>Uncheck the habit.</source>
        <translation>Die Gewohnheit wieder abhaken.</translation>
    </message>
    <message>
        <source>Usage: wrenfold %1</source>
        <translation>Aufruf: wrenfold %1</translation>
    </message>
    <message>
        <source>“%1” is not a command</source>
        <translation>„%1“ ist kein Befehl</translation>
    </message>
    <message>
        <source>“%1” is not an option here</source>
        <translation>„%1“ ist hier keine Option</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>No command given</source>
        <translation>Kein Befehl angegeben</translation>
    </message>
    <message>
        <source>%1 is missing</source>
        <translation>%1 fehlt</translation>
    </message>
    <message>
        <source>“%1” was not expected</source>
        <translation>„%1“ wurde nicht erwartet</translation>
    </message>
    <message>
        <source>The notes folder “%1” does not exist.</source>
        <translation>Der Notizordner „%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>“%1” kept changing while it was read; nothing was written.</source>
        <translation>„%1“ hat sich beim Lesen ständig geändert; es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Could not read the notes folder “%1”: %2.</source>
        <translation>Der Notizordner „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The notes folder “%1” is not a folder.</source>
        <translation>Der Notizordner „%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>“%1” is not a day: use YYYY-MM-DD, today, yesterday, tomorrow or -N.</source>
        <translation>„%1“ ist kein Tag: verwende JJJJ-MM-TT, today, yesterday, tomorrow oder -N.</translation>
    </message>
    <message>
        <source>No flow is called “%1”.</source>
        <translation>Kein Flow heißt „%1“.</translation>
    </message>
    <message>
        <source>“%1” names more than one flow.</source>
        <translation>„%1“ passt auf mehr als einen Flow.</translation>
    </message>
    <message>
        <source>Could not read the text from standard input.</source>
        <translation>Der Text konnte nicht von der Standardeingabe gelesen werden.</translation>
    </message>
    <message>
        <source>The text is not valid UTF-8.</source>
        <translation>Der Text ist kein gültiges UTF-8.</translation>
    </message>
    <message>
        <source>Nothing to append: the text is empty.</source>
        <translation>Nichts anzuhängen: der Text ist leer.</translation>
    </message>
    <message>
        <source>Calendar access is turned off. Turn it on in Wrenfold&apos;s calendar settings.</source>
        <translation>Der Kalenderzugriff ist ausgeschaltet. Schalte ihn in den Kalendereinstellungen von Wrenfold ein.</translation>
    </message>
    <message>
        <source>No calendar could be read.</source>
        <translation>Kein Kalender konnte gelesen werden.</translation>
    </message>
    <message>
        <source>Calendar access has not been allowed yet. Open Wrenfold and choose Connect Calendar.</source>
        <translation>Der Kalenderzugriff wurde noch nicht erlaubt. Öffne Wrenfold und wähle „Kalender verbinden“.</translation>
    </message>
    <message>
        <source>Only the first %1 events of %2 are shown.</source>
        <translation>Nur die ersten %1 Termine vom %2 werden angezeigt.</translation>
    </message>
    <message>
        <source>“%1” is not a number of days from 1 to 366.</source>
        <translation>„%1“ ist keine Anzahl Tage von 1 bis 366.</translation>
    </message>
    <message>
        <source>all day</source>
        <translation>ganztägig</translation>
    </message>
    <message>
        <source>“%1” is not a habit due on %2.</source>
        <translation>„%1“ ist keine Gewohnheit, die am %2 fällig ist.</translation>
    </message>
    <message>
        <source> (daily habit)</source>
        <translation> (tägliche Gewohnheit)</translation>
    </message>
    <message>
        <source> (habit on selected weekdays)</source>
        <translation> (Gewohnheit an ausgewählten Wochentagen)</translation>
    </message>
    <message>
        <source> (weekly habit)</source>
        <translation> (wöchentliche Gewohnheit)</translation>
    </message>
    <message>
        <source> (archived)</source>
        <translation> (archiviert)</translation>
    </message>
    <message>
        <source>“%1” is not a month: use YYYY-MM.</source>
        <translation>„%1“ ist kein Monat: verwende JJJJ-MM.</translation>
    </message>
    <message>
        <source>journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>no journal</source>
        <translation>kein Journal</translation>
    </message>
    <message>
        <source>habits: %1</source>
        <translation>Gewohnheiten: %1</translation>
    </message>
    <message>
        <source>flow mentions: %1</source>
        <translation>Flow-Erwähnungen: %1</translation>
    </message>
    <message>
        <source>Print today&apos;s journal entry.</source>
        <translation>Den heutigen Journaleintrag ausgeben.</translation>
    </message>
    <message>
        <source>Print the day&apos;s journal entry (today&apos;s without DATE).</source>
        <translation>Den Journaleintrag des Tages ausgeben (ohne DATE den heutigen).</translation>
    </message>
    <message>
        <source>Add TEXT (or standard input) as a paragraph to the day&apos;s note.</source>
        <translation>TEXT (oder die Standardeingabe) als Absatz an die Notiz des Tages anhängen.</translation>
    </message>
    <message>
        <source>List the days whose note contains QUERY, newest first.</source>
        <translation>Die Tage auflisten, deren Notiz QUERY enthält, die neuesten zuerst.</translation>
    </message>
    <message>
        <source>List the calendar events of N days from DATE (today).</source>
        <translation>Die Kalendertermine von N Tagen ab DATE (heute) auflisten.</translation>
    </message>
    <message>
        <source>List the habits due on the day and whether they are done.</source>
        <translation>Die am Tag fälligen Gewohnheiten auflisten und ob sie erledigt sind.</translation>
    </message>
    <message>
        <source>Check off a habit, named by its title or the start of its id.</source>
        <translation>Eine Gewohnheit abhaken, genannt mit ihrem Titel oder dem Anfang ihrer ID.</translation>
    </message>
    <message>
        <source>List every flow, archived ones too.</source>
        <translation>Alle Flows auflisten, auch archivierte.</translation>
    </message>
    <message>
        <source>Summarise each day of MONTH (YYYY-MM): journal, habits, flows.</source>
        <translation>Jeden Tag von MONTH (JJJJ-MM) zusammenfassen: Journal, Gewohnheiten, Flows.</translation>
    </message>
    <message>
        <source>Another program saved at the same moment; its version was kept as “%1”.</source>
        <translation>Ein anderes Programm hat im selben Moment gespeichert; seine Fassung wurde als „%1“ aufbewahrt.</translation>
    </message>
</context>
<context>
    <name>wrenfold::core::Files</name>
    <message>
        <source>Could not read “%1”: %2.</source>
        <translation>„%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>Could not save “%1”: %2.</source>
        <translation>„%1“ konnte nicht gesichert werden: %2.</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the disk quota is exceeded</source>
        <translation>das Speicherkontingent ist überschritten</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>der Datenträger ist schreibgeschützt</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>a part of the path is a file, not a folder</source>
        <translation>ein Teil des Pfads ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>it does not exist</source>
        <translation>es existiert nicht</translation>
    </message>
    <message>
        <source>a file with that name is in the way</source>
        <translation>eine Datei mit diesem Namen ist im Weg</translation>
    </message>
    <message>
        <source>the name is too long</source>
        <translation>der Name ist zu lang</translation>
    </message>
    <message>
        <source>too many symbolic links in the path</source>
        <translation>zu viele symbolische Links im Pfad</translation>
    </message>
    <message>
        <source>the disk reported an input/output error</source>
        <translation>der Datenträger meldete einen Ein-/Ausgabefehler</translation>
    </message>
    <message>
        <source>the file is too large</source>
        <translation>die Datei ist zu groß</translation>
    </message>
    <message>
        <source>too many files are open</source>
        <translation>zu viele Dateien sind geöffnet</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the text is not valid UTF-8 (byte offset %1)</source>
        <translation>der Text ist kein gültiges UTF-8 (Byte-Position %1)</translation>
    </message>
    <message>
        <source>Could not create the folder “%1”: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>another program is saving the same file</source>
        <translation>ein anderes Programm sichert dieselbe Datei</translation>
    </message>
    <message>
        <source>another program keeps replacing the file</source>
        <translation>ein anderes Programm ersetzt die Datei fortwährend</translation>
    </message>
</context>
<context>
    <name>wrenfold::core::Flows</name>
    <message>
        <source>%1: the member “%2” is missing.</source>
        <translation>%1: Das Feld „%2“ fehlt.</translation>
    </message>
    <message>
        <source>%1: the member “%2” is not %3.</source>
        <translation>%1: Das Feld „%2“ ist nicht %3.</translation>
    </message>
    <message>
        <source>%1: the member “%2” has the invalid value “%3”.</source>
        <translation>%1: Das Feld „%2“ hat den ungültigen Wert „%3“.</translation>
    </message>
    <message>
        <source>a text</source>
        <translation>ein Text</translation>
    </message>
    <message>
        <source>true or false</source>
        <translation>true oder false</translation>
    </message>
    <message>
        <source>a date-time text</source>
        <translation>ein Datums- und Zeittext</translation>
    </message>
    <message>
        <source>a list of whole numbers</source>
        <translation>eine Liste ganzer Zahlen</translation>
    </message>
    <message>
        <source>an object of monthly reviews</source>
        <translation>ein Objekt mit Monatsrückblicken</translation>
    </message>
    <message>
        <source>%1, review “%2”: %3</source>
        <translation>%1, Rückblick „%2“: %3</translation>
    </message>
    <message>
        <source>%1: not an object.</source>
        <translation>%1: kein Objekt.</translation>
    </message>
    <message>
        <source>the review is not an object.</source>
        <translation>der Rückblick ist kein Objekt.</translation>
    </message>
    <message>
        <source>the member “%1” is missing.</source>
        <translation>das Feld „%1“ fehlt.</translation>
    </message>
    <message>
        <source>the member “%1” is not a text.</source>
        <translation>das Feld „%1“ ist kein Text.</translation>
    </message>
    <message>
        <source>the flow</source>
        <translation>der Flow</translation>
    </message>
    <message>
        <source>the text is not valid JSON (%1 at line %2, column %3, byte offset %4).</source>
        <translation>der Text ist kein gültiges JSON (%1 in Zeile %2, Spalte %3, Byte-Position %4).</translation>
    </message>
    <message>
        <source>the text is not a list of flows.</source>
        <translation>der Text ist keine Liste von Flows.</translation>
    </message>
    <message>
        <source>flow %1</source>
        <translation>Flow %1</translation>
    </message>
</context>
<context>
    <name>wrenfold::core::MarkdownStore</name>
    <message>
        <source>No notes folder has been chosen.</source>
        <translation>Es wurde kein Notizordner gewählt.</translation>
    </message>
    <message>
        <source>Could not save the text: the day is not a valid date.</source>
        <translation>Der Text konnte nicht gesichert werden: Der Tag ist kein gültiges Datum.</translation>
    </message>
    <message>
        <source>Could not read the flows file “%1”: %2</source>
        <translation>Die Flow-Datei „%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The notes folder “%1” is missing. Reconnect its disk, or choose another folder.</source>
        <translation>Der Notizordner „%1“ fehlt. Schließe sein Laufwerk wieder an oder wähle einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>wrenfold::core::RecoveryStore</name>
    <message>
        <source>No recovery folder is known.</source>
        <translation>Es ist kein Wiederherstellungsordner bekannt.</translation>
    </message>
    <message>
        <source>Could not remove “%1”: %2.</source>
        <translation>„%1“ konnte nicht entfernt werden: %2.</translation>
    </message>
</context>
<context>
    <name>wrenfold::platform::SleepWatcher</name>
    <message>
        <source>Saving the journal entry</source>
        <translation>Der Tagebucheintrag wird gesichert</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::AboutDialog</name>
    <message>
        <source>About Wrenfold</source>
        <translation>Über Wrenfold</translation>
    </message>
    <message>
        <source>Wrenfold %1</source>
        <translation>Wrenfold %1</translation>
    </message>
    <message>
        <source>A journal and day planner that keeps every day in a Markdown file of your own.</source>
        <translation>Ein Journal und Tagesplaner, der jeden Tag in einer eigenen Markdown-Datei ablegt.</translation>
    </message>
    <message>
        <source>Free software under the MIT License.</source>
        <translation>Freie Software unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Website</translation>
    </message>
    <message>
        <source>Send feedback</source>
        <translation>Feedback senden</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::CalendarAgenda</name>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Calendar access is off</source>
        <translation>Kalenderzugriff ist aus</translation>
    </message>
    <message>
        <source>Wrenfold can still be used as a journal. Allow calendar access in Settings to see your schedule here.</source>
        <translation>Wrenfold bleibt als Tagebuch nutzbar. Erlaube den Kalenderzugriff in den Einstellungen, um deine Termine hier zu sehen.</translation>
    </message>
    <message>
        <source>Open Calendar Settings</source>
        <translation>Kalendereinstellungen öffnen</translation>
    </message>
    <message>
        <source>No calendar events</source>
        <translation>Keine Termine</translation>
    </message>
    <message>
        <source>Show your calendar</source>
        <translation>Deinen Kalender anzeigen</translation>
    </message>
    <message>
        <source>Your events stay in your calendar. Wrenfold reads them only after you choose to connect.</source>
        <translation>Deine Termine bleiben in deinem Kalender. Wrenfold liest sie erst, wenn du dich zum Verbinden entscheidest.</translation>
    </message>
    <message>
        <source>Connect Calendar</source>
        <translation>Kalender verbinden</translation>
    </message>
    <message>
        <source>Calendar events</source>
        <translation>Termine</translation>
    </message>
    <message>
        <source>Loading events…</source>
        <translation>Termine werden geladen …</translation>
    </message>
    <message>
        <source>Only the first %1 events of this day are shown.</source>
        <translation>Nur die ersten %1 Termine dieses Tages werden angezeigt.</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::CalendarSourcesPanel</name>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Show events from these calendars beside the journal</source>
        <translation>Termine aus diesen Kalendern neben dem Journal zeigen</translation>
    </message>
    <message>
        <source>Calendar access</source>
        <translation>Kalenderzugriff</translation>
    </message>
    <message>
        <source>Wrenfold only reads calendars; it never changes them. It finds vdir calendars (vdirsyncer, khal) and Evolution calendars, and reads any iCalendar file or folder you add.</source>
        <translation>Wrenfold liest Kalender nur und ändert sie nie. Es findet vdir-Kalender (vdirsyncer, khal) und Evolution-Kalender und liest jede iCalendar-Datei und jeden Ordner, den du hinzufügst.</translation>
    </message>
    <message>
        <source>Calendars found</source>
        <translation>Gefundene Kalender</translation>
    </message>
    <message>
        <source>Add File…</source>
        <translation>Datei hinzufügen…</translation>
    </message>
    <message>
        <source>Add Folder…</source>
        <translation>Ordner hinzufügen…</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>(cannot be read)</source>
        <translation>(nicht lesbar)</translation>
    </message>
    <message>
        <source>No calendars found</source>
        <translation>Keine Kalender gefunden</translation>
    </message>
    <message>
        <source>Add Calendar File</source>
        <translation>Kalenderdatei hinzufügen</translation>
    </message>
    <message>
        <source>iCalendar files (*.ics)</source>
        <translation>iCalendar-Dateien (*.ics)</translation>
    </message>
    <message>
        <source>Add Calendar Folder</source>
        <translation>Kalenderordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::CalendarView</name>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Journal entry</source>
        <translation>Tagebucheintrag</translation>
    </message>
    <message>
        <source>Completed habit</source>
        <translation>Erledigte Gewohnheit</translation>
    </message>
    <message>
        <source>Flow mentioned</source>
        <translation>Flow erwähnt</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::ConflictAlert</name>
    <message>
        <source>Journal changed in another app</source>
        <translation>Tagebuch in einer anderen App geändert</translation>
    </message>
    <message>
        <source>Choose which version to keep. Keep Both saves your unsaved text as a separate Markdown file.</source>
        <translation>Wähle, welche Fassung bleiben soll. „Beide behalten“ sichert deinen ungesicherten Text als eigene Markdown-Datei.</translation>
    </message>
    <message>
        <source>Use External</source>
        <translation>Externe verwenden</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Meine behalten</translation>
    </message>
    <message>
        <source>Keep Both</source>
        <translation>Beide behalten</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::DayCell</name>
    <message>
        <source>journal entry</source>
        <translation>Tagebucheintrag</translation>
    </message>
    <message>
        <source>1 completed habit</source>
        <translation>1 erledigte Gewohnheit</translation>
    </message>
    <message>
        <source>%1 completed habits</source>
        <translation>%1 erledigte Gewohnheiten</translation>
    </message>
    <message>
        <source>1 flow mention</source>
        <translation>1 Flow-Erwähnung</translation>
    </message>
    <message>
        <source>%1 flow mentions</source>
        <translation>%1 Flow-Erwähnungen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Selected day</source>
        <translation>Ausgewählter Tag</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::DayHeader</name>
    <message>
        <source>Previous day</source>
        <translation>Vorheriger Tag</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Next day</source>
        <translation>Nächster Tag</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::FlowDayTile</name>
    <message>
        <source>Mentioned</source>
        <translation>Erwähnt</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::FlowDetailView</name>
    <message>
        <source>Monthly Flow Review</source>
        <translation>Monatlicher Rückblick</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
    <message>
        <source>Mentioned</source>
        <translation>Erwähnt</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Why this matters</source>
        <translation>Warum das wichtig ist</translation>
    </message>
    <message>
        <source>What I’m noticing</source>
        <translation>Was mir auffällt</translation>
    </message>
    <message>
        <source>What may affect it</source>
        <translation>Was es beeinflussen könnte</translation>
    </message>
    <message>
        <source>Looking back</source>
        <translation>Rückblick</translation>
    </message>
    <message>
        <source>What I want to carry forward</source>
        <translation>Was ich mitnehmen möchte</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::FlowEditorView</name>
    <message>
        <source>Edit Flow</source>
        <translation>Flow bearbeiten</translation>
    </message>
    <message>
        <source>New Flow</source>
        <translation>Neuer Flow</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Current note</source>
        <translation>Aktuelle Notiz</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>Nächster Schritt</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Ongoing thread</source>
        <translation>Laufender Faden</translation>
    </message>
    <message>
        <source>Habit</source>
        <translation>Gewohnheit</translation>
    </message>
    <message>
        <source>Rhythm</source>
        <translation>Rhythmus</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Sichern</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>A habit appears on Today and can be checked off.</source>
        <translation>Eine Gewohnheit erscheint unter „Heute“ und lässt sich abhaken.</translation>
    </message>
    <message>
        <source>An ongoing thread keeps notes and a next step together.</source>
        <translation>Ein laufender Faden hält Notizen und einen nächsten Schritt zusammen.</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::FlowRow</name>
    <message>
        <source>Archived</source>
        <translation>Archiviert</translation>
    </message>
    <message>
        <source>Edit Flow…</source>
        <translation>Flow bearbeiten …</translation>
    </message>
    <message>
        <source>Archive Flow</source>
        <translation>Flow archivieren</translation>
    </message>
    <message>
        <source>Restore Flow</source>
        <translation>Flow wiederherstellen</translation>
    </message>
    <message>
        <source>Delete Flow…</source>
        <translation>Flow löschen …</translation>
    </message>
    <message>
        <source>Flow actions</source>
        <translation>Flow-Aktionen</translation>
    </message>
    <message>
        <source>Current note</source>
        <translation>Aktuelle Notiz</translation>
    </message>
    <message>
        <source>Next step</source>
        <translation>Nächster Schritt</translation>
    </message>
    <message>
        <source>Last activity %1</source>
        <translation>Zuletzt aktiv am %1</translation>
    </message>
    <message>
        <source>Open Flow</source>
        <translation>Flow öffnen</translation>
    </message>
    <message>
        <source>Add to Today’s Journal</source>
        <translation>Zum heutigen Journal hinzufügen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::FlowsView</name>
    <message>
        <source>Flows</source>
        <translation>Flows</translation>
    </message>
    <message>
        <source>Keep track of things that develop over time.</source>
        <translation>Behalte im Blick, was sich mit der Zeit entwickelt.</translation>
    </message>
    <message>
        <source>New Flow</source>
        <translation>Neuer Flow</translation>
    </message>
    <message>
        <source>New Flow (%1)</source>
        <translation>Neuer Flow (%1)</translation>
    </message>
    <message>
        <source>No flows yet</source>
        <translation>Noch keine Flows</translation>
    </message>
    <message>
        <source>Add something you want to return to over time.</source>
        <translation>Füge etwas hinzu, zu dem du mit der Zeit zurückkehren möchtest.</translation>
    </message>
    <message>
        <source>Delete Flow</source>
        <translation>Flow löschen</translation>
    </message>
    <message>
        <source>Delete “%1”?</source>
        <translation>„%1“ löschen?</translation>
    </message>
    <message>
        <source>Its monthly reviews are deleted with it. Mentions and habit marks in your journal stay as they are.</source>
        <translation>Seine monatlichen Rückblicke werden mit gelöscht. Erwähnungen und abgehakte Gewohnheiten im Journal bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::JournalEditor</name>
    <message>
        <source>Journal</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Journal view</source>
        <translation>Tagebuchansicht</translation>
    </message>
    <message>
        <source>Add Perspective</source>
        <translation>Perspektive hinzufügen</translation>
    </message>
    <message>
        <source>Open in External Editor</source>
        <translation>In externem Editor öffnen</translation>
    </message>
    <message>
        <source>bold text</source>
        <translation>fetter Text</translation>
    </message>
    <message>
        <source>italic text</source>
        <translation>kursiver Text</translation>
    </message>
    <message>
        <source>link text</source>
        <translation>Linktext</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::JournalHabitsFooter</name>
    <message>
        <source>Today’s habits</source>
        <translation>Heutige Gewohnheiten</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::JournalView</name>
    <message>
        <source>Entries</source>
        <translation>Einträge</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Open Today’s Entry</source>
        <translation>Heutigen Eintrag öffnen</translation>
    </message>
    <message>
        <source>Search journal</source>
        <translation>Tagebuch durchsuchen</translation>
    </message>
    <message>
        <source>Selected day</source>
        <translation>Ausgewählter Tag</translation>
    </message>
    <message>
        <source>Reading journal entries</source>
        <translation>Tagebucheinträge werden gelesen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::MainWindow</name>
    <message>
        <source>Wrenfold</source>
        <translation>Wrenfold</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>New Flow</source>
        <translation>Neuer Flow</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen …</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Wrenfold Help</source>
        <translation>Wrenfold-Hilfe</translation>
    </message>
    <message>
        <source>Wrenfold Feedback…</source>
        <translation>Rückmeldung zu Wrenfold …</translation>
    </message>
    <message>
        <source>Privacy…</source>
        <translation>Datenschutz …</translation>
    </message>
    <message>
        <source>About Wrenfold</source>
        <translation>Über Wrenfold</translation>
    </message>
    <message>
        <source>Installing update…</source>
        <translation>Update wird installiert …</translation>
    </message>
    <message>
        <source>Update to %1…</source>
        <translation>Auf %1 aktualisieren …</translation>
    </message>
    <message>
        <source>Checking for Updates…</source>
        <translation>Suche nach Updates …</translation>
    </message>
    <message>
        <source>Check for Updates…</source>
        <translation>Nach Updates suchen …</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Your latest text could not be saved in its note. It is kept in “%1” and will be put beside its note when Wrenfold can write there again.</source>
        <translation>Dein neuester Text konnte nicht in seiner Notiz gesichert werden. Er wird in „%1“ aufbewahrt und neben seine Notiz gelegt, sobald Wrenfold dort wieder schreiben kann.</translation>
    </message>
    <message>
        <source>Your latest text could not be saved anywhere. If Wrenfold closes now, it is lost.</source>
        <translation>Dein neuester Text konnte nirgends gesichert werden. Wenn Wrenfold jetzt schließt, geht er verloren.</translation>
    </message>
    <message>
        <source>Keep Wrenfold Open</source>
        <translation>Wrenfold offen lassen</translation>
    </message>
    <message>
        <source>Close and Lose It</source>
        <translation>Schließen und verwerfen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::MarkdownRenderedView</name>
    <message>
        <source>Rendered journal entry</source>
        <translation>Dargestellter Tagebucheintrag</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::MarkdownTextView</name>
    <message>
        <source>Journal entry</source>
        <translation>Tagebucheintrag</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::MarkdownToolbar</name>
    <message>
        <source>Markdown</source>
        <translation>Markdown</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::PerspectiveCard</name>
    <message>
        <source>Remove Perspective</source>
        <translation>Perspektive entfernen</translation>
    </message>
    <message>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <source>%1 response</source>
        <translation>Antwort zu %1</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::PerspectiveCards</name>
    <message>
        <source>Perspectives</source>
        <translation>Perspektiven</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::PerspectiveCatalogueCard</name>
    <message>
        <source>Add to Today’s Journal</source>
        <translation>Zum heutigen Journal hinzufügen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::PerspectivesView</name>
    <message>
        <source>Perspectives</source>
        <translation>Perspektiven</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::PreservedCopiesPanel</name>
    <message>
        <source>Preserved copies</source>
        <translation>Aufbewahrte Kopien</translation>
    </message>
    <message>
        <source>Show preserved copy in file manager</source>
        <translation>Aufbewahrte Kopie im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>Show preserved copy %1 in file manager</source>
        <translation>Aufbewahrte Kopie %1 im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>The file manager could not show %1.</source>
        <translation>Der Dateimanager konnte %1 nicht zeigen.</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::RootNotice</name>
    <message>
        <source>Journal folder</source>
        <translation>Journalordner</translation>
    </message>
    <message>
        <source>Change…</source>
        <translation>Ändern…</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Show the journal folder in the file manager</source>
        <translation>Den Journalordner in der Dateiverwaltung anzeigen</translation>
    </message>
    <message>
        <source>Don’t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Your journal is saved in %1 as Markdown files.</source>
        <translation>Dein Journal wird in %1 als Markdown-Dateien gespeichert.</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::SettingsView</name>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Journal folder</source>
        <translation>Journalordner</translation>
    </message>
    <message>
        <source>Choose folder…</source>
        <translation>Ordner wählen…</translation>
    </message>
    <message>
        <source>Daily entries are ordinary Markdown files. Changing the app language never translates or rewrites your writing.</source>
        <translation>Tageseinträge sind gewöhnliche Markdown-Dateien. Ein Wechsel der App-Sprache übersetzt oder verändert deine Texte nie.</translation>
    </message>
    <message>
        <source>Perspectives</source>
        <translation>Perspektiven</translation>
    </message>
    <message>
        <source>Default perspective</source>
        <translation>Standardperspektive</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Perspectives are optional ways to look at life. They are not scores, rules or calendar categories.</source>
        <translation>Perspektiven sind freiwillige Blickwinkel auf das Leben. Sie sind keine Punktzahlen, Regeln oder Kalenderkategorien.</translation>
    </message>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Wrenfold %1</source>
        <translation>Wrenfold %1</translation>
    </message>
    <message>
        <source>Send feedback</source>
        <translation>Feedback senden</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Website</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::SettingsWindow</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::Sidebar</name>
    <message>
        <source>Wrenfold</source>
        <translation>Wrenfold</translation>
    </message>
    <message>
        <source>Sections</source>
        <translation>Bereiche</translation>
    </message>
</context>
<context>
    <name>wrenfold::ui::TodayView</name>
    <message>
        <source>Selected day</source>
        <translation>Ausgewählter Tag</translation>
    </message>
</context>
</TS>
