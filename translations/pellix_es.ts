<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="it_IT">
<context>
    <name>AppDelegate</name>
    <message>
        <source>Mostra Control Panel</source>
        <translation>Mostrar el panel de control</translation>
    </message>
    <message>
        <source>Esci</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>BatteryRingView</name>
    <message>
        <source>In carica</source>
        <translation>Cargando</translation>
    </message>
    <message>
        <source>Alimentazione</source>
        <translation>Alimentación</translation>
    </message>
</context>
<context>
    <name>BatteryWidgetView</name>
    <message>
        <source>Nessuna batteria</source>
        <translation>Ninguna batería</translation>
    </message>
</context>
<context>
    <name>ClockSidePanel</name>
    <message>
        <source>Nessun altro impegno oggi</source>
        <translation>No hay más eventos hoy</translation>
    </message>
</context>
<context>
    <name>ClockText</name>
    <message>
        <source>dddd, MMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, d MMM</translation>
    </message>
    <message>
        <source>dddd, d MMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd, d MMM</translation>
    </message>
    <message>
        <source>dddd, MMMM d</source>
        <comment>QLocale date pattern said in full, month before day</comment>
        <translation>dddd, d &apos;de&apos; MMMM</translation>
    </message>
    <message>
        <source>dddd, d MMMM</source>
        <comment>QLocale date pattern said in full, day before month</comment>
        <translation>dddd, d &apos;de&apos; MMMM</translation>
    </message>
</context>
<context>
    <name>ExtensionLoader</name>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2</source>
        <translation>creado para la API de widgets %1, este host tiene la %2</translation>
    </message>
    <message>
        <source>creato per la API dei widget %1, questo host ha la %2 (serve un PellixWidget più recente)</source>
        <translation>creado para la API de widgets %1, este host tiene la %2 (necesita un PellixWidget más reciente)</translation>
    </message>
    <message>
        <source>%1 appartiene a un altro utente (uid %2)</source>
        <translation>%1 pertenece a otro usuario (uid %2)</translation>
    </message>
    <message>
        <source>%1 è scrivibile da altri utenti</source>
        <translation>%1 es modificable por otros usuarios</translation>
    </message>
    <message>
        <source>non si può leggere</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>non è un plug-in Qt</source>
        <translation>no es un plug-in de Qt</translation>
    </message>
    <message>
        <source>non è un&apos;estensione di PellixWidget (la sua interfaccia è «%1»)</source>
        <translation>no es una extensión de PellixWidget (su interfaz es «%1»)</translation>
    </message>
    <message>
        <source>mancano l&apos;id o la versione della API nei suoi metadati (li dichiara pellix_add_widget_extension)</source>
        <translation>sin id ni versión de API en sus metadatos (los declara pellix_add_widget_extension)</translation>
    </message>
    <message>
        <source>l&apos;id %1 è già usato da %2</source>
        <translation>el id %1 ya lo usa %2</translation>
    </message>
    <message>
        <source>non si può caricare: %1</source>
        <translation>no se puede cargar: %1</translation>
    </message>
    <message>
        <source>il suo oggetto plug-in non è un bundle di widget</source>
        <translation>su objeto plug-in no es un bundle de widgets</translation>
    </message>
</context>
<context>
    <name>ExtensionServer</name>
    <message>
        <source>bloccato nel disegno per %1 s</source>
        <translation>bloqueado %1 s al dibujar</translation>
    </message>
    <message>
        <source>bloccato nel suo provider per %1 s</source>
        <translation>bloqueado %1 s en su proveedor</translation>
    </message>
    <message>
        <source>bloccato in %1 per %2 s</source>
        <translation>bloqueado %2 s en %1</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria di %1 MB</source>
        <translation>superó su límite de memoria de %1 MB</translation>
    </message>
    <message>
        <source>ha superato il suo limite di memoria</source>
        <translation>superó su límite de memoria</translation>
    </message>
</context>
<context>
    <name>GalleryWindow</name>
    <message>
        <source>Galleria widget</source>
        <translation>Galería de widgets</translation>
    </message>
</context>
<context>
    <name>MusicContentView</name>
    <message>
        <source>In attesa di musica…</source>
        <translation>Esperando música…</translation>
    </message>
    <message>
        <source>Brano precedente</source>
        <translation>Canción anterior</translation>
    </message>
    <message>
        <source>Metti in pausa</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Riproduci</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Brano successivo</source>
        <translation>Canción siguiente</translation>
    </message>
</context>
<context>
    <name>MusicWidgetView</name>
    <message>
        <source>in riproduzione</source>
        <translation>en reproducción</translation>
    </message>
</context>
<context>
    <name>PellixBatteryWidgetView</name>
    <message>
        <source>STATO BATTERIA</source>
        <translation>ESTADO BATERÍA</translation>
    </message>
    <message>
        <source>100% - Carica</source>
        <translation>100% - Cargada</translation>
    </message>
</context>
<context>
    <name>PellixClockWidgetView</name>
    <message>
        <source>dddd MMMM d</source>
        <comment>QLocale date pattern, month before day</comment>
        <translation>dddd, d &apos;de&apos; MMMM</translation>
    </message>
    <message>
        <source>dddd d MMMM</source>
        <comment>QLocale date pattern, day before month</comment>
        <translation>dddd, d &apos;de&apos; MMMM</translation>
    </message>
</context>
<context>
    <name>PellixMusicWidgetView</name>
    <message>
        <source>Non in Riproduzione</source>
        <translation>Sin reproducción</translation>
    </message>
    <message>
        <source>In Riproduzione</source>
        <translation>Reproduciendo</translation>
    </message>
    <message>
        <source>Riproduci della musica</source>
        <translation>Pon algo de música</translation>
    </message>
</context>
<context>
    <name>PellixWeatherWidgetView</name>
    <message>
        <source>Percepito %1</source>
        <comment>felt temperature</comment>
        <translation>Sensación térmica %1</translation>
    </message>
    <message>
        <source>METEO</source>
        <translation>CLIMA</translation>
    </message>
    <message>
        <source>Nessun dato</source>
        <translation>Sin datos</translation>
    </message>
</context>
<context>
    <name>PellixWidgets</name>
    <message>
        <source>Pellix - Orologio</source>
        <translation>Pellix - Reloj</translation>
    </message>
    <message>
        <source>Visualizza l&apos;ora corrente e la data.</source>
        <translation>Muestra la hora y la fecha actuales.</translation>
    </message>
    <message>
        <source>Pellix - Meteo</source>
        <translation>Pellix - Clima</translation>
    </message>
    <message>
        <source>Visualizza la temperatura e le condizioni del meteo corrente.</source>
        <translation>Muestra la temperatura y las condiciones meteorológicas actuales.</translation>
    </message>
    <message>
        <source>Pellix - Now Playing</source>
        <translation>Pellix - Reproduciendo</translation>
    </message>
    <message>
        <source>Visualizza il brano attualmente in riproduzione.</source>
        <translation>Muestra la canción que está sonando.</translation>
    </message>
    <message>
        <source>Pellix - Batteria</source>
        <translation>Pellix - Batería</translation>
    </message>
    <message>
        <source>Controlla lo stato della batteria del MacBook e degli accessori.</source>
        <translation>Muestra el estado de la batería del ordenador y de los accesorios.</translation>
    </message>
</context>
<context>
    <name>WeatherContentView</name>
    <message>
        <source>AGGIORNAMENTO…</source>
        <translation>ACTUALIZANDO…</translation>
    </message>
    <message>
        <source>ERRORE DI RETE</source>
        <translation>ERROR DE RED</translation>
    </message>
</context>
<context>
    <name>WeatherText</name>
    <message>
        <source>Sereno</source>
        <translation>Despejado</translation>
    </message>
    <message>
        <source>Parz. nuvoloso</source>
        <translation>Parc. nublado</translation>
    </message>
    <message>
        <source>Nuvoloso</source>
        <translation>Nublado</translation>
    </message>
    <message>
        <source>Nebbia</source>
        <translation>Niebla</translation>
    </message>
    <message>
        <source>Pioggerella</source>
        <translation>Llovizna</translation>
    </message>
    <message>
        <source>Pioggia</source>
        <translation>Lluvia</translation>
    </message>
    <message>
        <source>Neve</source>
        <translation>Nieve</translation>
    </message>
    <message>
        <source>Rovesci</source>
        <translation>Chubascos</translation>
    </message>
    <message>
        <source>Temporale</source>
        <translation>Tormenta</translation>
    </message>
    <message>
        <source>Sconosciuto</source>
        <translation>Desconocido</translation>
    </message>
    <message>
        <source>H:%1 L:%2</source>
        <comment>today&apos;s high and low</comment>
        <translation>Máx. %1 Mín. %2</translation>
    </message>
</context>
<context>
    <name>extensions::ExtensionProcess</name>
    <message>
        <source>si è chiuso in modo anomalo (segnale %1)</source>
        <translation>se cerró de forma anómala (señal %1)</translation>
    </message>
    <message>
        <source>è uscito da solo (stato %1)</source>
        <translation>terminó por sí solo (estado %1)</translation>
    </message>
    <message>
        <source>non si è avviato entro %1 s</source>
        <translation>no se inició en %1 s</translation>
    </message>
    <message>
        <source>non si può eseguire %1</source>
        <translation>no se puede ejecutar %1</translation>
    </message>
    <message>
        <source>non risponde da %1 s</source>
        <translation>no responde desde hace %1 s</translation>
    </message>
</context>
<context>
    <name>panel::BatteryDeviceList</name>
    <message>
        <source>Mostra dispositivi:</source>
        <translation>Mostrar dispositivos:</translation>
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
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Widget premium per %1</source>
        <translation>Widgets premium para %1</translation>
    </message>
</context>
<context>
    <name>panel::ExtensionSection</name>
    <message>
        <source>Widget delle estensioni</source>
        <translation>Widgets de extensiones</translation>
    </message>
    <message>
        <source>Avvio delle estensioni in corso</source>
        <translation>Iniciando las extensiones</translation>
    </message>
    <message>
        <source>Rifiutata</source>
        <translation>Rechazada</translation>
    </message>
    <message>
        <source>Fermata</source>
        <translation>Detenida</translation>
    </message>
</context>
<context>
    <name>panel::SettingsTab</name>
    <message>
        <source>Tema Vetro Widget</source>
        <translation>Tema de los widgets</translation>
    </message>
    <message>
        <source>Liquid Glass Trasparente</source>
        <translation>Liquid Glass claro</translation>
    </message>
    <message>
        <source>Liquid Glass Opaco</source>
        <translation>Liquid Glass opaco</translation>
    </message>
    <message>
        <source>Aspetto</source>
        <translation>Apariencia</translation>
    </message>
    <message>
        <source>Configura il meteo</source>
        <translation>Configurar el clima</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Versione</source>
        <translation>Versión</translation>
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
        <translation>Ciudad</translation>
    </message>
    <message>
        <source>es. Milano, Roma, Napoli</source>
        <translation>p. ej. Madrid, Sevilla, Lima</translation>
    </message>
    <message>
        <source>Salva</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Posizione automatica (via IP)</source>
        <translation>Ubicación automática (por IP)</translation>
    </message>
    <message>
        <source>Rileva la tua città dall&apos;indirizzo IP</source>
        <translation>Detecta tu ciudad por la dirección IP</translation>
    </message>
    <message>
        <source>Ricerca in corso…</source>
        <translation>Buscando…</translation>
    </message>
    <message>
        <source>Errore di rete</source>
        <translation>Error de red</translation>
    </message>
    <message>
        <source>✓ Impostato su %1</source>
        <translation>✓ Establecido en %1</translation>
    </message>
    <message>
        <source>Città non trovata</source>
        <translation>Ciudad no encontrada</translation>
    </message>
</context>
<context>
    <name>panel::WidgetsTab</name>
    <message>
        <source>Attiva e gestisci i tuoi widget</source>
        <translation>Activa y gestiona tus widgets</translation>
    </message>
    <message>
        <source>Orologio &amp; Data</source>
        <translation>Reloj y fecha</translation>
    </message>
    <message>
        <source>Analogico o digitale minimalista</source>
        <translation>Analógico o digital minimalista</translation>
    </message>
    <message>
        <source>Meteo</source>
        <translation>Clima</translation>
    </message>
    <message>
        <source>Temperatura, condizioni e H/L</source>
        <translation>Temperatura, estado y máx./mín.</translation>
    </message>
    <message>
        <source>Batteria</source>
        <translation>Batería</translation>
    </message>
    <message>
        <source>Carica e stato di alimentazione</source>
        <translation>Carga y alimentación</translation>
    </message>
    <message>
        <source>Now Playing</source>
        <translation>Reproduciendo</translation>
    </message>
    <message>
        <source>Spotify, Apple Music in tempo reale</source>
        <translation>Spotify, Apple Music en tiempo real</translation>
    </message>
    <message>
        <source>Cliccabile attraverso</source>
        <translation>Dejar pasar los clics</translation>
    </message>
    <message>
        <source>Stile orologio</source>
        <translation>Estilo del reloj</translation>
    </message>
    <message>
        <source>Analogico</source>
        <translation>Analógico</translation>
    </message>
    <message>
        <source>Digitale</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>Dimensione widget</source>
        <translation>Tamaño del widget</translation>
    </message>
    <message>
        <source>Piccolo (2x2)</source>
        <translation>Pequeño (2x2)</translation>
    </message>
    <message>
        <source>Medio (4x2)</source>
        <translation>Mediano (4x2)</translation>
    </message>
    <message>
        <source>Qualsiasi lettore MPRIS in tempo reale</source>
        <translation>Cualquier reproductor MPRIS en tiempo real</translation>
    </message>
</context>
</TS>
