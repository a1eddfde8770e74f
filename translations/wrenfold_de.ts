<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
</TS>
