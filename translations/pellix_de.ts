<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="it_IT">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Mostra Control Panel</source>
        <translation>Kontrollfeld anzeigen</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>BatteryRingView</name>
    <message>
        <source>In carica</source>
        <translation>Lädt</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Stromversorgung</translation>
    </message>
</context>
<context>
    <name>BatteryWidgetView</name>
    <message>
        <source>Nessuna batteria</source>
        <translation>Kein Akku</translation>
    </message>
</context>
<context>
    <name>ClockSidePanel</name>
    <message>
        <source>Nessun altro impegno oggi</source>
        <translation>Keine weiteren Termine heute</translation>
    </message>
</context>
<context>
    <name>ClockText</name>
    <message>
        <source>dddd, MMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, d. MMM</translation>
    </message>
    <message>
        <source>dddd, d MMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd, d. MMM</translation>
    </message>
    <message>
        <source>dddd, MMMM d</source>
        <comment>QLocale date pattern said in full, month before day</comment>
        <translation>dddd, d. MMMM</translation>
    </message>
    <message>
        <source>dddd, d MMMM</source>
        <comment>QLocale date pattern said in full, day before month</comment>
        <translation>dddd, d. MMMM</translation>
    </message>
</context>
<context>
    <name>ExtensionLoader</name>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2</source>
        <translation>für Widget-API %1 gebaut, dieser Host hat %2</translation>
    </message>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2 (serve un PellixWidget più recente)</source>
        <translation>für Widget-API %1 gebaut, dieser Host hat %2 (braucht ein neueres PellixWidget)</translation>
    </message>
    <message>
        <source>%1 appartiene a un altro utente (uid %2)</source>
        <translation>%1 gehört einem anderen Benutzer (uid %2)</translation>
    </message>
    <message>
        <source>%1 è scrivibile da altri utenti</source>
        <translation>%1 ist für andere Benutzer beschreibbar</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>non è un plug-in Qt</source>
        <translation>kein Qt-Plug-in</translation>
    </message>
    <message>
        <source>non è un&apos;estensione di PellixWidget (la sua interfaccia è «%1»)</source>
        <translation>keine PellixWidget-Erweiterung (ihre Schnittstelle ist „%1“)</translation>
    </message>
    <message>
        <source>mancano l&apos;id o la versione della API nei suoi metadati (li dichiara pellix_add_widget_extension)</source>
        <translation>keine ID oder API-Version in den Metadaten (pellix_add_widget_extension deklariert sie)</translation>
    </message>
    <message>
        <source>l&apos;id %1 è già usato da %2</source>
        <translation>die ID %1 ist schon von %2 belegt</translation>
    </message>
    <message>
        <source>non si può caricare: %1</source>
        <translation>nicht ladbar: %1</translation>
    </message>
    <message>
        <source>il suo oggetto plug-in non è un bundle di widget</source>
        <translation>sein Plug-in-Objekt ist kein Widget-Bundle</translation>
    </message>
</context>
<context>
    <name>ExtensionServer</name>
    <message>
        <source>bloccato nel disegno per %1 s</source>
        <translation>beim Zeichnen %1 s lang blockiert</translation>
    </message>
    <message>
        <source>bloccato nel suo provider per %1 s</source>
        <translation>in seinem Provider %1 s lang blockiert</translation>
    </message>
    <message>
        <source>bloccato in %1 per %2 s</source>
        <translation>in %1 %2 s lang blockiert</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria di %1 MB</source>
        <translation>hat seine Speichergrenze von %1 MB überschritten</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria</source>
        <translation>hat seine Speichergrenze überschritten</translation>
    </message>
</context>
<context>
    <name>GalleryWindow</name>
    <message>
        <source>Galleria widget</source>
        <translation>Widget-Galerie</translation>
    </message>
</context>
<context>
    <name>MusicContentView</name>
    <message>
        <source>In attesa di musica…</source>
        <translation>Warte auf Musik…</translation>
    </message>
    <message>
        <source>Brano precedente</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Metti in pausa</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Riproduci</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Brano successivo</source>
        <translation>Nächster Titel</translation>
    </message>
</context>
<context>
    <name>MusicWidgetView</name>
    <message>
        <source>in riproduzione</source>
        <translation>wird abgespielt</translation>
    </message>
</context>
<context>
    <name>PellixBatteryWidgetView</name>
    <message>
        <source>STATO BATTERIA</source>
        <translation>AKKUSTATUS</translation>
    </message>
    <message>
        <source>100% - Carica</source>
        <translation>100% - Geladen</translation>
    </message>
</context>
<context>
    <name>PellixClockWidgetView</name>
    <message>
        <source>dddd MMMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, d. MMMM</translation>
    </message>
    <message>
        <source>dddd d MMMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd, d. MMMM</translation>
    </message>
</context>
<context>
    <name>PellixMusicWidgetView</name>
    <message>
        <source>Non in Riproduzione</source>
        <translation>Keine Wiedergabe</translation>
    </message>
    <message>
        <source>In Riproduzione</source>
        <translation>Wird abgespielt</translation>
    </message>
    <message>
        <source>Riproduci della musica</source>
        <translation>Spiel Musik ab</translation>
    </message>
</context>
<context>
    <name>PellixWeatherWidgetView</name>
    <message>
        <source>Percepito %1</source>
        <comment>felt temperature</comment>
        <translation>Gefühlt %1</translation>
    </message>
    <message>
        <source>METEO</source>
        <translation>WETTER</translation>
    </message>
    <message>
        <source>Nessun dato</source>
        <translation>Keine Daten</translation>
    </message>
</context>
<context>
    <name>PellixWidgets</name>
    <message>
        <source>Pellix - Orologio</source>
        <translation>Pellix - Uhr</translation>
    </message>
    <message>
        <source>Visualizza l&apos;ora corrente e la data.</source>
        <translation>Zeigt die aktuelle Uhrzeit und das Datum.</translation>
    </message>
    <message>
        <source>Pellix - Meteo</source>
        <translation>Pellix - Wetter</translation>
    </message>
    <message>
        <source>Visualizza la temperatura e le condizioni del meteo corrente.</source>
        <translation>Zeigt die aktuelle Temperatur und Wetterlage.</translation>
    </message>
    <message>
        <source>Pellix - Now Playing</source>
        <translation>Pellix - Wiedergabe</translation>
    </message>
    <message>
        <source>Visualizza il brano attualmente in riproduzione.</source>
        <translation>Zeigt den Titel, der gerade läuft.</translation>
    </message>
    <message>
        <source>Pellix - Batteria</source>
        <translation>Pellix - Akku</translation>
    </message>
    <message>
        <source>Controlla lo stato della batteria del MacBook e degli accessori.</source>
        <translation>Zeigt den Akkustand des Computers und des Zubehörs.</translation>
    </message>
</context>
<context>
    <name>WeatherContentView</name>
    <message>
        <source>AGGIORNAMENTO…</source>
        <translation>WIRD AKTUALISIERT…</translation>
    </message>
    <message>
        <source>ERRORE DI RETE</source>
        <translation>NETZWERKFEHLER</translation>
    </message>
</context>
<context>
    <name>WeatherText</name>
    <message>
        <source>Sereno</source>
        <translation>Klar</translation>
    </message>
    <message>
        <source>Parz. nuvoloso</source>
        <translation>Teilw. bewölkt</translation>
    </message>
    <message>
        <source>Nuvoloso</source>
        <translation>Bewölkt</translation>
    </message>
    <message>
        <source>Nebbia</source>
        <translation>Nebel</translation>
    </message>
    <message>
        <source>Pioggerella</source>
        <translation>Nieselregen</translation>
    </message>
    <message>
        <source>Pioggia</source>
        <translation>Regen</translation>
    </message>
    <message>
        <source>Neve</source>
        <translation>Schnee</translation>
    </message>
    <message>
        <source>Rovesci</source>
        <translation>Schauer</translation>
    </message>
    <message>
        <source>Temporale</source>
        <translation>Gewitter</translation>
    </message>
    <message>
        <source>Sconosciuto</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>H:%1 L:%2</source>
        <comment>today&apos;s high and low</comment>
        <translation>H:%1 T:%2</translation>
    </message>
</context>
<context>
    <name>extensions::ExtensionProcess</name>
    <message>
        <source>si è chiuso in modo anomalo (segnale %1)</source>
        <translation>abgestürzt (Signal %1)</translation>
    </message>
    <message>
        <source>è uscito da solo (stato %1)</source>
        <translation>hat sich selbst beendet (Status %1)</translation>
    </message>
    <message>
        <source>non si è avviato entro %1 s</source>
        <translation>nicht innerhalb von %1 s gestartet</translation>
    </message>
    <message>
        <source>non si può eseguire %1</source>
        <translation>%1 kann nicht ausgeführt werden</translation>
    </message>
    <message>
        <source>non risponde da %1 s</source>
        <translation>antwortet seit %1 s nicht</translation>
    </message>
</context>
<context>
    <name>panel::BatteryDeviceList</name>
    <message>
        <source>Mostra dispositivi:</source>
        <translation>Geräte anzeigen:</translation>
    </message>
</context>
<context>
    <name>panel::ControlPanelView</name>
    <message>
        <source>Widget</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Impostazioni</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Widget premium per %1</source>
        <translation>Premium-Widgets für %1</translation>
    </message>
</context>
<context>
    <name>panel::ExtensionSection</name>
    <message>
        <source>Widget delle estensioni</source>
        <translation>Widgets aus Erweiterungen</translation>
    </message>
    <message>
        <source>Avvio delle estensioni in corso</source>
        <translation>Erweiterungen werden gestartet</translation>
    </message>
    <message>
        <source>Rifiutata</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Fermata</source>
        <translation>Angehalten</translation>
    </message>
</context>
<context>
    <name>panel::SettingsTab</name>
    <message>
        <source>Tema Vetro Widget</source>
        <translation>Widget-Design</translation>
    </message>
    <message>
        <source>Liquid Glass Trasparente</source>
        <translation>Liquid Glass transparent</translation>
    </message>
    <message>
        <source>Liquid Glass Opaco</source>
        <translation>Liquid Glass deckend</translation>
    </message>
    <message>
        <source>Aspetto</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>Configura il meteo</source>
        <translation>Wetter einrichten</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Versione</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Autore</source>
        <translation>Autor</translation>
    </message>
</context>
<context>
    <name>panel::WeatherLocationCard</name>
    <message>
        <source>Città</source>
        <translation>Stadt</translation>
    </message>
    <message>
        <source>es. Milano, Roma, Napoli</source>
        <translation>z. B. Berlin, München, Wien</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Posizione automatica (via IP)</source>
        <translation>Automatischer Standort (per IP)</translation>
    </message>
    <message>
        <source>Rileva la tua città dall&apos;indirizzo IP</source>
        <translation>Ermittelt deine Stadt aus der IP-Adresse</translation>
    </message>
    <message>
        <source>Ricerca in corso…</source>
        <translation>Suche läuft…</translation>
    </message>
    <message>
        <source>Errore di rete</source>
        <translation>Netzwerkfehler</translation>
    </message>
    <message>
        <source>✓ Impostato su %1</source>
        <translation>✓ Festgelegt auf %1</translation>
    </message>
    <message>
        <source>Città non trovata</source>
        <translation>Stadt nicht gefunden</translation>
    </message>
</context>
<context>
    <name>panel::WidgetsTab</name>
    <message>
        <source>Attiva e gestisci i tuoi widget</source>
        <translation>Widgets aktivieren und verwalten</translation>
    </message>
    <message>
        <source>Orologio &amp; Data</source>
        <translation>Uhr &amp; Datum</translation>
    </message>
    <message>
        <source>Analogico o digitale minimalista</source>
        <translation>Analog oder digital, schlicht</translation>
    </message>
    <message>
        <source>Meteo</source>
        <translation>Wetter</translation>
    </message>
    <message>
        <source>Temperatura, condizioni e H/L</source>
        <translation>Temperatur, Wetterlage und H/T</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Carica e stato di alimentazione</source>
        <translation>Ladestand und Stromversorgung</translation>
    </message>
    <message>
        <source>Now Playing</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Spotify, Apple Music in tempo reale</source>
        <translation>Spotify, Apple Music in Echtzeit</translation>
    </message>
    <message>
        <source>Cliccabile attraverso</source>
        <translation>Klicks durchlassen</translation>
    </message>
    <message>
        <source>Stile orologio</source>
        <translation>Uhrstil</translation>
    </message>
    <message>
        <source>Analogico</source>
        <translation>Analog</translation>
    </message>
    <message>
        <source>Digitale</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>Dimensione widget</source>
        <translation>Widget-Größe</translation>
    </message>
    <message>
        <source>Piccolo (2x2)</source>
        <translation>Klein (2x2)</translation>
    </message>
    <message>
        <source>Medio (4x2)</source>
        <translation>Mittel (4x2)</translation>
    </message>
    <message>
        <source>Qualsiasi lettore MPRIS in tempo reale</source>
        <translation>Jeder MPRIS-Player in Echtzeit</translation>
    </message>
</context>
</TS>
